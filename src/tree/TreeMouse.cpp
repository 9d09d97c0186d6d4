#include "TreeMouse.h"

#include "DragOut.h"
#include "HoverHelp.h"
#include "OpenTexts.h"
#include "Opener.h"
#include "PathDisplay.h"
#include "TreeCut.h"
#include "TreeEditing.h"
#include "TreeFilter.h"
#include "TreeMenuHost.h"
#include "TreeUndo.h"
#include "model/ImageKeys.h"
#include "model/NodeTree.h"
#include "platform/MainWindowPort.h"
#include "settings/SettingsSchedule.h"

#include <cmath>

TreeMouse::TreeMouse(const Platform& platform, const Parts& parts)
    : platform_(platform), parts_(parts) {}

void TreeMouse::TreeView_MouseDown(int button, int shift, float x, float y) {
    Q_UNUSED(shift)
    mouseX_ = x;
    mouseY_ = y;
    if (parts_.editing.LabelEditPending()) {
        // A refused label is edited again, and the press does nothing else.
        parts_.editing.ReopenLabelEdit();
        return;
    }
    TreeNode* node = platform_.treeView.HitTest(x, y);
    if (node) {
        parts_.tree.SetSelectedItem(node);
        parts_.tree.SetDropHighlight(node);
        ShowPathOf(platform_.pathLabel, node);
    }
    if (button == ButtonRight)
        parts_.menu.ShowTreeMenu(node, false);
    else if (button == ButtonLeft)
        dragState_ = node && !parts_.filter.Filtering() ? 1 : 0;  // no moves while filtered
}

void TreeMouse::TreeView_MouseMove(int buttons, int shift, float x, float y) {
    Q_UNUSED(shift)
    const TreeNode* node = platform_.treeView.HitTest(x, y);
    HoverHelp::Show(platform_.statusBar, HoverHelp::forNode(node));
    if (buttons == ButtonLeft && dragState_ == 1) {
        const std::optional<OutsideOffer> outside = OutsideOfferOf(parts_.tree.SelectedItem());
        if (farEnoughToDrag(outside, x, y))
            startDrag(outside);
    } else if (buttons == 0 && dragState_ == 2) {
        dragState_ = 0;  // the drag ended somewhere else than on the tree
    }
}

void TreeMouse::TreeView_MouseUp(int button, int shift, float x, float y) {
    Q_UNUSED(button)
    Q_UNUSED(shift)
    Q_UNUSED(x)
    Q_UNUSED(y)
    dragState_ = 0;
}

// A node that offers nothing outside the window is dragged from the first
// move. One that may be let go over another program, which then acts on
// the node's file or address, waits until the pointer has gone the
// desktop's drag distance: the tremble of a click gives nothing away.
bool TreeMouse::farEnoughToDrag(const std::optional<OutsideOffer>& outside, float x,
                                float y) const {
    return !outside ||
           std::abs(x - mouseX_) + std::abs(y - mouseY_) >= platform_.treeView.DragDistance();
}

// The drag shows the node's own picture: a folder open or closed as it
// shows, an item its leaf or its icon. Carried out of the window, it offers
// the node's path or address there.
void TreeMouse::startDrag(const std::optional<OutsideOffer>& outside) {
    dragState_ = 2;
    dragNode_ = parts_.tree.DropHighlight();
    const TreeNode* node = parts_.tree.SelectedItem();
    if (!node)
        return;
    QString picture = node->Image();
    if (node->IsFolder())
        picture = node->Expanded() ? ImageKeys::open() : ImageKeys::closed();
    platform_.treeView.BeginDrag(picture, outside);
}

void TreeMouse::TreeView_DblClick() {
    // The node under the last press, not the selected one. The view does not
    // toggle expansion on a double click, so neither do we.
    TreeNode* node = platform_.treeView.HitTest(mouseX_, mouseY_);
    if (!node || node->Tag().isEmpty())
        return;
    parts_.opener.OpenPath(node->Tag(), OpenTexts::folderUnavailable());
}

void TreeMouse::TreeView_NodeClick(TreeNode* node) {
    if (!node)
        return;
    // An arrow key moves no pointer: the hint follows the node it reached.
    HoverHelp::Show(platform_.statusBar, HoverHelp::forNode(node));
    parts_.tree.SetSelectedItem(node);
    parts_.tree.SetDropHighlight(node);
    ShowPathOf(platform_.pathLabel, node);
    parts_.settings.ScheduleSave();  // the selection is part of the saved tree
}

void TreeMouse::TreeView_Collapse(TreeNode* node) {
    expansionChanged(node, false);
}

void TreeMouse::TreeView_Expand(TreeNode* node) {
    expansionChanged(node, true);
}

// The view shows the user's collapse or expand already; the tree follows it.
// By hand it also selects the node and is remembered; while the program
// itself rebuilds the tree it means nothing more. While filtered, the
// folders open in the view are the filter's and the view's alone.
void TreeMouse::expansionChanged(TreeNode* node, bool expanded) {
    if (!node || parts_.filter.Filtering())
        return;
    node->SetExpanded(expanded);
    if (parts_.tree.TreeBusy())
        return;
    parts_.tree.SetDropHighlight(node);
    parts_.tree.SetSelectedItem(node);
    parts_.settings.ScheduleSave();
}

void TreeMouse::TreeView_AfterLabelEdit(const std::optional<QString>& newText) {
    parts_.editing.TreeView_AfterLabelEdit(newText);
}

// What a tree user expects of the keys, each doing what the mouse does.
// While filtered, those that would change the tree do nothing. Ctrl+V
// pastes after the selected node, the place a paste takes in most trees.
void TreeMouse::TreeView_KeyDown(int key, int shift) {
    TreeNode* selected = parts_.tree.SelectedItem();
    const bool changes = key == KeyF2 || key == KeyDelete || key == KeyZ || key == KeyY ||
                         key == KeyX || key == KeyV;
    if (changes && parts_.filter.Filtering())
        return;
    if (key == KeyEscape) {
        // Whatever waits is called off: a cut, a filter.
        parts_.cut.CancelCut();
        parts_.filter.TreeView_Escape();
    } else if (key == KeyX && shift == ShiftCtrl) {
        parts_.cut.tvCut_Click(selected);
    } else if (key == KeyV && shift == ShiftCtrl) {
        parts_.cut.tvPasteAfter_Click(selected);
    } else if (key == KeyF2) {
        parts_.editing.tvRename_Click();
    } else if (key == KeyDelete) {
        parts_.editing.tvDelete_Click();
    } else if (key == KeyReturn) {
        if (selected && !selected->Tag().isEmpty())
            parts_.opener.OpenPath(selected->Tag(), OpenTexts::folderUnavailable());
    } else if (key == KeyContextMenu || (key == KeyF10 && shift == 1)) {
        parts_.menu.ShowTreeMenu(selected, true);
    } else if (key == KeyZ && shift == ShiftCtrl) {
        parts_.undo.tvUndo_Click();
    } else if ((key == KeyZ && shift == (ShiftCtrl | ShiftShift)) ||
               (key == KeyY && shift == ShiftCtrl)) {
        parts_.undo.tvRedo_Click();
    }
}

// Where the keyboard arrives, the node it acts on is the selected one: the
// hint explains that node, as the pointer's would on it.
void TreeMouse::TreeView_GotFocus() {
    HoverHelp::Show(platform_.statusBar, HoverHelp::forNode(parts_.tree.SelectedItem()));
}
