#pragma once

#include "platform/PopupMenu.h"

class QtDirList;
class QtFileList;
class QtImageList;
class QtMainWindow;
class QtTreeView;

// Modal popup menus at the pointer or at a node of the tree, over QMenu,
// attached to the main window while it is shown (some window systems place a
// popup only over a parent). Entries with an image show the tree's picture
// of it.
class QtPopupMenus : public PopupMenus {
public:
    explicit QtPopupMenus(const QtMainWindow* owner = nullptr, const QtTreeView* tree = nullptr,
                          const QtDirList* dirList = nullptr, const QtFileList* fileList = nullptr,
                          const QtImageList* images = nullptr)
        : owner_(owner), tree_(tree), dirList_(dirList), fileList_(fileList), images_(images) {}
    MenuChoice popup(const MenuEntry& menu) override;
    MenuChoice popupAtNode(const MenuEntry& menu, TreeNode* node) override;
    MenuChoice popupAtListEntry(const MenuEntry& menu, DragSource list) override;

private:
    const QtMainWindow* owner_;
    const QtTreeView* tree_;
    const QtDirList* dirList_;
    const QtFileList* fileList_;
    const QtImageList* images_;
};
