#include "TreeMouse.h"

#include "OpenTexts.h"
#include "Opener.h"
#include "model/NodeTree.h"
#include "platform/PathLabelPort.h"
#include "settings/SettingsSchedule.h"

TreeMouse::TreeMouse(const Platform& platform, NodeTree& tree, SettingsSchedule& settings,
                     Opener& opener)
    : platform_(platform), tree_(tree), settings_(settings), opener_(opener) {}

void TreeMouse::showPathOf(const TreeNode* node) {
    platform_.pathLabel.setCaption(QLatin1Char(' ') + node->Tag());
}

void TreeMouse::TreeView_MouseDown(int button, int shift, float x, float y) {
    Q_UNUSED(button)
    Q_UNUSED(shift)
    mouseX_ = x;
    mouseY_ = y;
    if (TreeNode* node = platform_.treeView.HitTest(x, y)) {
        tree_.SetSelectedItem(node);
        tree_.SetDropHighlight(node);
        showPathOf(node);
    }
}

void TreeMouse::TreeView_DblClick() {
    // The node under the last press, not the selected one. The view does not
    // toggle expansion on a double click, so neither do we.
    TreeNode* node = platform_.treeView.HitTest(mouseX_, mouseY_);
    if (!node || node->Tag().isEmpty())
        return;
    opener_.OpenPath(node->Tag(), OpenTexts::folderUnavailable());
}

void TreeMouse::TreeView_NodeClick(TreeNode* node) {
    if (!node)
        return;
    tree_.SetSelectedItem(node);
    tree_.SetDropHighlight(node);
    showPathOf(node);
    settings_.ScheduleSave();  // the selection is part of the saved tree
}

void TreeMouse::TreeView_Collapse(TreeNode* node) {
    expansionChanged(node, false);
}

void TreeMouse::TreeView_Expand(TreeNode* node) {
    expansionChanged(node, true);
}

// The view shows the user's collapse or expand already; the tree follows it.
// By hand it also selects the node and is remembered; while the program
// itself rebuilds the tree it means nothing more.
void TreeMouse::expansionChanged(TreeNode* node, bool expanded) {
    if (!node)
        return;
    node->SetExpanded(expanded);
    if (tree_.TreeBusy())
        return;
    tree_.SetDropHighlight(node);
    tree_.SetSelectedItem(node);
    settings_.ScheduleSave();
}
