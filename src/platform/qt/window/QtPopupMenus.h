#pragma once

#include "platform/PopupMenu.h"

class QtMainWindow;
class QtTreeView;

// Modal popup menus at the pointer or at a node of the tree, over QMenu,
// attached to the main window while it is shown (some window systems place a
// popup only over a parent).
class QtPopupMenus : public PopupMenus {
public:
    explicit QtPopupMenus(const QtMainWindow* owner = nullptr, const QtTreeView* tree = nullptr)
        : owner_(owner), tree_(tree) {}
    MenuChoice popup(const MenuEntry& menu) override;
    MenuChoice popupAtNode(const MenuEntry& menu, TreeNode* node) override;

private:
    const QtMainWindow* owner_;
    const QtTreeView* tree_;
};
