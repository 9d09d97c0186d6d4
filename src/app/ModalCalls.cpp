#include "ModalCalls.h"

#include <QScopedValueRollback>

Platform ModalCalls::Counted(const Platform& p) {
    return Platform{p.timers,      *this,        *this,       p.shell,     p.tray,        p.window,
                    p.treeView,    p.pathLabel,  p.driveList, p.dirList,   p.fileList,    p.images,
                    p.statusBar,   p.about,      p.work,      p.notices,   p.fileWatches, *this,
                    p.runningCopy, p.filterLine, p.quickFind, p.offerStrip};
}

MsgAnswer ModalCalls::show(const QString& text, const QString& title, MsgButtons buttons,
                           MsgIcon icon) {
    const QScopedValueRollback<int> open(open_, open_ + 1);
    return messages_.show(text, title, buttons, icon);
}

MenuChoice ModalCalls::popup(const MenuEntry& menu) {
    const QScopedValueRollback<int> open(open_, open_ + 1);
    return menus_.popup(menu);
}

MenuChoice ModalCalls::popupAtNode(const MenuEntry& menu, TreeNode* node) {
    const QScopedValueRollback<int> open(open_, open_ + 1);
    return menus_.popupAtNode(menu, node);
}

MenuChoice ModalCalls::popupAtListEntry(const MenuEntry& menu, DragSource list) {
    const QScopedValueRollback<int> open(open_, open_ + 1);
    return menus_.popupAtListEntry(menu, list);
}

std::optional<int> ModalCalls::choose(const ChooserRequest& request) {
    const QScopedValueRollback<int> open(open_, open_ + 1);
    return chooser_.choose(request);
}

std::optional<QString> ModalCalls::chooseSaveFile(const SaveFileRequest& request) {
    const QScopedValueRollback<int> open(open_, open_ + 1);
    return chooser_.chooseSaveFile(request);
}
