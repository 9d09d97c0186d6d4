#include "RecoveryNotice.h"

#include "RecoveryFile.h"
#include "Texts.h"
#include "platform/DesktopNotices.h"
#include "platform/MessageBoxes.h"

#include <utility>

RecoveryNotice::RecoveryNotice(const Platform& platform, const RecoveryFile& files,
                               const QString& settingsPath)
    : platform_(platform), files_(files), settingsPath_(settingsPath) {}

void RecoveryNotice::Announce() {
    untold_ = files_.Untold();
    if (untold_.isEmpty())
        return;
    platform_.notices.notify(Texts::programTitle(),
                             Texts::settingsRecovered(untold_.join(u'\n'), settingsPath_),
                             [this](bool taken) { noticeAnswered(taken); });
}

void RecoveryNotice::noticeAnswered(bool taken) {
    if (taken) {
        files_.MarkTold(untold_);
        untold_.clear();
        return;
    }
    forWindow_ = true;
    if (windowShown_)  // the desktop was slow to say no
        tellInWindow();
}

void RecoveryNotice::WindowShown() {
    windowShown_ = true;
    if (forWindow_)
        tellInWindow();
}

// Marked told before the message waits for its answer: a session that ends
// meanwhile must not tell it again.
void RecoveryNotice::tellInWindow() {
    forWindow_ = false;
    const QStringList files = std::exchange(untold_, {});
    files_.MarkTold(files);
    platform_.messages.show(Texts::settingsRecovered(files.join(u'\n'), settingsPath_),
                            Texts::programTitle(), MsgButtons::Ok, MsgIcon::Exclamation);
}
