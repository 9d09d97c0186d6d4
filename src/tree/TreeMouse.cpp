// What a press, a click, a collapse and an expand do to the tree.
#include "app/FrmVarnel.h"
#include "platform/MainWindowPort.h"
#include "platform/TreeViewPort.h"

namespace {
QString pathCaption(const TreeNode* node) { return QLatin1Char(' ') + node->Tag(); }
}  // namespace

void FrmVarnel::TreeView_MouseDown(int button, int shift, float x, float y) {
    Q_UNUSED(shift)
    TreeMouseX = x;
    TreeMouseY = y;
    TreeNode* node = platform.treeView.HitTest(x, y);
    if (node) {
        tree.SetSelectedItem(node);
        tree.SetDropHighlight(node);
        platform.window.setPathDisp(pathCaption(node));
    }
    if (button == ButtonLeft) TreeDragState = node ? 1 : 0;
}

void FrmVarnel::TreeView_NodeClick(TreeNode* node) {
    if (!node) return;
    tree.SetDropHighlight(node);
    platform.window.setPathDisp(pathCaption(node));
    ScheduleSave();  // the selection is part of the saved tree
}

// Collapsing and expanding by hand select the node and are remembered; while
// the program itself rebuilds the tree they mean nothing.
static void expansionChanged(FrmVarnel& form, TreeNode* node) {
    if (form.TreeBusy || !node) return;
    form.tree.SetDropHighlight(node);
    form.tree.SetSelectedItem(node);
    form.ScheduleSave();
}

void FrmVarnel::TreeView_Collapse(TreeNode* node) { expansionChanged(*this, node); }

void FrmVarnel::TreeView_Expand(TreeNode* node) { expansionChanged(*this, node); }
