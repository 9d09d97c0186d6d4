#pragma once

#include "platform/PopupMenu.h"

// The directory list's menu dlMenu, in its order.
enum class DirMenuId { dlMenu, dlExplore, dlViewFiles, dlAddToTree, dlSep1, dlCancel };
// The file list's menu flMenu, in its order.
enum class FileMenuId { flMenu, flOpen, flViewDir, flAddToTree, flSep1, flCancel };

namespace BrowserMenus {
// "View Files" only when there are files to view. "Add to Tree", ours,
// copies the highlighted entry into the tree without a drag: only when
// there is one and the tree takes it.
MenuEntry DirMenu(bool viewFilesEnabled, bool addToTreeEnabled);
MenuEntry FileMenu(bool addToTreeEnabled);
}  // namespace BrowserMenus
