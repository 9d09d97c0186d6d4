#include "TreeDropMenu.h"

MenuEntry BuildTreeDropMenu(DragSource source, bool targetIsFolder, bool fullPath) {
    using Id = TreeDropMenuId;
    const QString prefix =
        source == DragSource::TreeView ? QStringLiteral("Move ") : QStringLiteral("Copy ");
    const QString kind = targetIsFolder ? QStringLiteral("The Folder") : QStringLiteral("The Item");
    MenuEntry inside = MenuCommand(Id::tdInside, prefix + QStringLiteral("Inside ") + kind);
    MenuEntry before = MenuCommand(Id::tdBefore, prefix + QStringLiteral("Before ") + kind);
    MenuEntry after = MenuCommand(Id::tdAfter, prefix + QStringLiteral("After ") + kind);
    inside.enabled = targetIsFolder;
    if (source != DragSource::TreeView && fullPath) {
        // The chain of folders always starts at the top level: the place of
        // the drop does not matter.
        before.enabled = after.enabled = false;
        inside.caption = QStringLiteral("Copy Full Path");
        inside.enabled = true;
    }
    return MenuSubmenu(Id::tdMenu, QStringLiteral("Tree Drop"),
                       {inside, before, after, MenuSeparator(Id::tdSep1),
                        MenuCommand(Id::tdCancel, QStringLiteral("Cancel"))});
}
