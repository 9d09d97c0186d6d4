#include "TreeDropMenu.h"

#include "DropCommands.h"

namespace {
using Id = TreeDropMenuId;

// The three placements under one verb, in the menu's order (inside, before,
// after), then Cancel. Only a folder takes nodes inside.
MenuEntry DropMenu(const QString& verb, bool targetIsFolder) {
    const QString kind = targetIsFolder ? QStringLiteral("The Folder") : QStringLiteral("The Item");
    MenuEntry inside = MenuCommand(Id::tdInside, verb + QStringLiteral("Inside ") + kind);
    MenuEntry before = MenuCommand(Id::tdBefore, verb + QStringLiteral("Before ") + kind);
    MenuEntry after = MenuCommand(Id::tdAfter, verb + QStringLiteral("After ") + kind);
    inside.enabled = targetIsFolder;
    return MenuSubmenu(Id::tdMenu, QStringLiteral("Tree Drop"),
                       {inside, before, after, MenuSeparator(Id::tdSep1),
                        MenuCommand(Id::tdCancel, QStringLiteral("Cancel"))});
}
}  // namespace

MenuEntry BuildTreeDropMenu(DragSource source, bool targetIsFolder, bool fullPath) {
    const QString verb =
        source == DragSource::TreeView ? QStringLiteral("Move ") : QStringLiteral("Copy ");
    MenuEntry menu = DropMenu(verb, targetIsFolder);
    if (source != DragSource::TreeView && fullPath) {
        // The chain of folders always starts at the top level: the place of
        // the drop does not matter.
        MenuEntry& inside = menu.children[0];
        inside.caption = QStringLiteral("Copy Full Path");
        inside.enabled = true;
        menu.children[1].enabled = false;  // before
        menu.children[2].enabled = false;  // after
    }
    return menu;
}

MenuEntry BuildShellDropMenu(bool targetIsFolder) {
    return DropMenu(QStringLiteral("Drop "), targetIsFolder);
}

void RunTreeDropChoice(const MenuChoice& choice, DropCommands& commands) {
    const std::optional<Id> id = ChosenEntry<Id>(choice);
    if (!id)
        return;
    switch (*id) {
    case Id::tdInside:
        commands.tdInside_Click();
        break;
    case Id::tdBefore:
        commands.tdBefore_Click();
        break;
    case Id::tdAfter:
        commands.tdAfter_Click();
        break;
    case Id::tdCancel:
        commands.tdCancel_Click();
        break;
    case Id::tdMenu:
    case Id::tdSep1:
        break;
    }
}
