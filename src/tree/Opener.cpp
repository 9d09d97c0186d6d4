#include "Opener.h"

#include "HoverHelp.h"
#include "MenuOptions.h"
#include "OpenTexts.h"
#include "ShellOpen.h"
#include "files/NameBytes.h"
#include "files/OneLine.h"
#include "files/PathTexts.h"
#include "platform/MainWindowPort.h"
#include "platform/MessageBoxes.h"

Opener::Opener(const Platform& platform, PathChecks& checks, const MenuOptions& options)
    : platform_(platform), checks_(checks), options_(options) {}

bool Opener::Nameable(const QString& path) {
    if (IsText(path))
        return true;
    platform_.messages.show(PathTexts::cannotOpen(OneLine(path)), OpenTexts::warningTitle(),
                            MsgButtons::Ok, MsgIcon::None);
    return false;
}

void Opener::OpenPath(const QString& path, const QString& failureMessage) {
    if (!Nameable(path))
        return;
    // Busy until the opener has answered, which may take a moment.
    platform_.window.setMousePointer(PointerBusy);
    ShellOpen(platform_.shell, checks_, path, [this, failureMessage](bool opened) {
        platform_.window.setMousePointer(PointerDefault);
        if (opened) {
            // The window's own hide only: the tray menu keeps offering "Hide".
            if (options_.AutoHide())
                platform_.window.hide();
            return;
        }
        platform_.messages.show(failureMessage, OpenTexts::warningTitle(), MsgButtons::Ok,
                                MsgIcon::None);
    });
}

void Opener::PathDisp_MouseMove() {
    HoverHelp::Show(platform_.statusBar, HoverHelp::pathDisp());
}

void Opener::PathDisp_DblClick() {
    QString path = platform_.pathLabel.caption();
    qsizetype blanks = 0;
    while (blanks < path.size() && path.at(blanks) == QLatin1Char(' '))
        ++blanks;
    path.remove(0, blanks);
    if (path.isEmpty())
        return;
    OpenPath(path, OpenTexts::folderUnavailable());
}
