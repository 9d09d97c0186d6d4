#include "BrowserMenus.h"

namespace {
template <typename Id>
MenuEntry addToTree(Id id, bool enabled) {
    MenuEntry entry = MenuCommand(id, QStringLiteral("Add to Tree"));
    entry.enabled = enabled;
    return entry;
}
}  // namespace

namespace BrowserMenus {
MenuEntry DirMenu(bool viewFilesEnabled, bool addToTreeEnabled) {
    using Id = DirMenuId;
    MenuEntry viewFiles = MenuCommand(Id::dlViewFiles, QStringLiteral("View Files"));
    viewFiles.enabled = viewFilesEnabled;
    return MenuSubmenu(Id::dlMenu, QStringLiteral("Dir List"),
                       {MenuCommand(Id::dlExplore, QStringLiteral("Explore")), viewFiles,
                        addToTree(Id::dlAddToTree, addToTreeEnabled), MenuSeparator(Id::dlSep1),
                        MenuCommand(Id::dlCancel, QStringLiteral("Cancel"))});
}

MenuEntry FileMenu(bool addToTreeEnabled) {
    using Id = FileMenuId;
    return MenuSubmenu(Id::flMenu, QStringLiteral("Files List"),
                       {MenuCommand(Id::flOpen, QStringLiteral("Open")),
                        MenuCommand(Id::flViewDir, QStringLiteral("View Directories")),
                        addToTree(Id::flAddToTree, addToTreeEnabled), MenuSeparator(Id::flSep1),
                        MenuCommand(Id::flCancel, QStringLiteral("Cancel"))});
}
}  // namespace BrowserMenus
