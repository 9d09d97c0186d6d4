#pragma once

#include "platform/PopupMenu.h"

class QtMainWindow;

// Modal popup menus at the pointer, over QMenu, attached to the main window
// while it is shown (some window systems place a popup only over a parent).
class QtPopupMenus : public PopupMenus {
public:
    explicit QtPopupMenus(const QtMainWindow* owner = nullptr) : owner_(owner) {}
    MenuChoice popup(const MenuEntry& menu) override;

private:
    const QtMainWindow* owner_;
};
