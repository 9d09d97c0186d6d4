// Opening a node's path: from the tree, from the path label and, deferred,
// from the tray's quick list.
#include "ShellOpen.h"
#include "app/FrmVarnel.h"
#include "app/Texts.h"
#include "platform/MainWindowPort.h"
#include "platform/MessageBoxes.h"
#include "platform/Timer.h"
#include "platform/TreeViewPort.h"

void FrmVarnel::OpenPath(const QString& path, const QString& failureMessage) {
    // Busy until the opener has answered, which may take a moment.
    platform.window.setMousePointer(PointerBusy);
    ShellOpen(platform.shell, path, [this, failureMessage](bool opened) {
        platform.window.setMousePointer(PointerDefault);
        if (opened) {
            // The window's own hide only: the tray menu keeps offering "Hide".
            if (AutoHideChecked) platform.window.hide();
            return;
        }
        platform.messages.show(failureMessage, Texts::warningTitle(), MsgButtons::Ok,
                               MsgIcon::None);
    });
}

void FrmVarnel::TreeView_DblClick() {
    // The node under the last press, not the selected one. The view does not
    // toggle expansion on a double click, so neither do we.
    TreeNode* node = platform.treeView.HitTest(TreeMouseX, TreeMouseY);
    if (!node || node->Tag().isEmpty()) return;
    OpenPath(node->Tag(), Texts::folderUnavailable());
}

void FrmVarnel::PathDisp_DblClick() {
    QString path = platform.window.pathDisp();
    qsizetype blanks = 0;
    while (blanks < path.size() && path.at(blanks) == QLatin1Char(' ')) ++blanks;
    path.remove(0, blanks);
    if (path.isEmpty()) return;
    OpenPath(path, Texts::folderUnavailable());
}

void FrmVarnel::ShellEvent_Timer() {
    ShellEvent->stop();
    ShellOpen(platform.shell, PendingLaunchPath, [this](bool opened) {
        platform.window.setMousePointer(PointerDefault);
        if (!opened) {
            platform.messages.show(Texts::itemUnavailable(), Texts::warningTitle(),
                                   MsgButtons::Ok, MsgIcon::None);
        }
    });
}
