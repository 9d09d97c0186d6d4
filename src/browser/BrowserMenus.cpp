#include "BrowserMenus.h"

namespace BrowserMenus {
MenuEntry DirMenu(bool viewFilesEnabled) {
    using Id = DirMenuId;
    MenuEntry viewFiles = MenuCommand(Id::dlViewFiles, QStringLiteral("View Files"));
    viewFiles.enabled = viewFilesEnabled;
    return MenuSubmenu(
        Id::dlMenu, QStringLiteral("Dir List"),
        {MenuCommand(Id::dlExplore, QStringLiteral("Explore")), viewFiles,
         MenuSeparator(Id::dlSep1), MenuCommand(Id::dlCancel, QStringLiteral("Cancel"))});
}

MenuEntry FileMenu() {
    using Id = FileMenuId;
    return MenuSubmenu(
        Id::flMenu, QStringLiteral("Files List"),
        {MenuCommand(Id::flOpen, QStringLiteral("Open")),
         MenuCommand(Id::flViewDir, QStringLiteral("View Directories")), MenuSeparator(Id::flSep1),
         MenuCommand(Id::flCancel, QStringLiteral("Cancel"))});
}
}  // namespace BrowserMenus
