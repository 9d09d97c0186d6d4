#pragma once

#include "platform/Platform.h"

class ItemIcons;
class NodeTree;
class SettingsSchedule;
class TreeHistory;
class TreeNode;

// Taking the user's last change to the tree back, and making it again: from
// the tree's menu and the keys Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y.
class TreeUndo {
public:
    struct Parts {
        NodeTree& tree;
        TreeHistory& history;
        SettingsSchedule& settings;
        ItemIcons& icons;
    };
    TreeUndo(const Platform& platform, const Parts& parts);

    void tvUndo_Click();
    void tvRedo_Click();

private:
    void shown(bool changed, TreeNode* selected);
    void restored(TreeNode* node);

    Platform platform_;
    Parts parts_;
};
