#pragma once

#include "platform/PopupMenu.h"

class QuickList;

// The tray icon's menu tiMenu: "Open" or "Hide", the "Quick List" submenu,
// "About", "Unload" and "Cancel".
class TrayMenu {
public:
    bool OpenVisible = true;        // tiOpen
    bool HideVisible = false;       // tiHide
    bool QuickListEnabled = false;  // tiQuickList, set before each showing

    // The menu as it shows now, with the quick list's places under "Quick List".
    MenuEntry Build(const QuickList& quickList) const;
};
