#pragma once

#include "platform/PopupMenu.h"

// The directory list's menu dlMenu, in its order.
enum class DirMenuId { dlMenu, dlExplore, dlViewFiles, dlSep1, dlCancel };
// The file list's menu flMenu, in its order.
enum class FileMenuId { flMenu, flOpen, flViewDir, flSep1, flCancel };

namespace BrowserMenus {
// "View Files" only when there are files to view.
MenuEntry DirMenu(bool viewFilesEnabled);
MenuEntry FileMenu();
}  // namespace BrowserMenus
