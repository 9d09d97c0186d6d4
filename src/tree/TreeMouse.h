#pragma once

#include "platform/Platform.h"
#include "platform/TreeViewPort.h"

class NodeTree;
class Opener;
class SettingsSchedule;

// What presses, clicks, double clicks, collapses and expands do to the tree.
class TreeMouse : public TreeViewEvents {
public:
    TreeMouse(const Platform& platform, NodeTree& tree, SettingsSchedule& settings, Opener& opener);

    void TreeView_MouseDown(int button, int shift, float x, float y) override;
    void TreeView_DblClick() override;
    void TreeView_NodeClick(TreeNode* node) override;
    void TreeView_Collapse(TreeNode* node) override;
    void TreeView_Expand(TreeNode* node) override;

private:
    void expansionChanged(TreeNode* node, bool expanded);
    void showPathOf(const TreeNode* node);

    Platform platform_;
    NodeTree& tree_;
    SettingsSchedule& settings_;
    Opener& opener_;
    // TreeMouseX, TreeMouseY: where the last button went down, in twips of
    // the tree. The double click acts on the node there.
    float mouseX_ = 0;
    float mouseY_ = 0;
};
