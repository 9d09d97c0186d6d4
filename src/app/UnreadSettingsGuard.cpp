#include "UnreadSettingsGuard.h"

#include "Texts.h"
#include "platform/MessageBoxes.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcUnread, "varnel.settings")

namespace {
// A dangling link is there too, though it names no file.
bool occupied(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}
}  // namespace

QString UnreadSettingsGuard::freshAsideName() const {
    const QString first = path_ + QStringLiteral(".unread");
    if (!occupied(first))
        return first;
    for (int n = 2;; ++n) {
        const QString next = first + u'.' + QString::number(n);
        if (!occupied(next))
            return next;
    }
}

bool UnreadSettingsGuard::ClearForWriting(bool sessionEnding) {
    if (!refused_)
        return true;
    if (!occupied(path_)) {
        refused_ = false;  // gone meanwhile: nothing left to keep
        return true;
    }
    const QString aside = freshAsideName();
    QFile file(path_);
    if (file.rename(aside)) {
        refused_ = false;
        qCWarning(lcUnread) << "kept the settings file it could not use as" << aside;
        if (!sessionEnding)
            messages_.show(Texts::keptAside(path_, aside), Texts::programTitle(), MsgButtons::Ok,
                           MsgIcon::Exclamation);
        return true;
    }
    qCWarning(lcUnread) << "cannot move" << path_ << "aside to" << aside << ":"
                        << file.errorString();
    if (!sessionEnding && !std::exchange(toldOfFailure_, true)) {
        messages_.show(Texts::cannotKeepAside(path_, file.errorString()), Texts::programTitle(),
                       MsgButtons::Ok, MsgIcon::Exclamation);
    }
    return false;
}
