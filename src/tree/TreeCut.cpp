#include "TreeCut.h"

#include "HistoryTexts.h"
#include "PathDisplay.h"
#include "ReadOnlyTree.h"
#include "model/NodeTree.h"
#include "model/TreeHistory.h"
#include "settings/SettingsSchedule.h"

TreeCut::TreeCut(const Platform& platform, const Parts& parts)
    : platform_(platform), parts_(parts), moves_(platform.messages, parts.tree, drag_) {}

TreeNode* TreeCut::CutNode() const {
    return parts_.tree.Removals() == removalsAtCut_ ? cut_ : nullptr;
}

void TreeCut::tvCut_Click(TreeNode* node) {
    if (!node || parts_.readOnly.ReadOnly())
        return;
    cut_ = node;
    removalsAtCut_ = parts_.tree.Removals();
}

void TreeCut::tvPasteInside_Click(TreeNode* target) {
    paste(target, Where::Inside);
}

void TreeCut::tvPasteBefore_Click(TreeNode* target) {
    paste(target, Where::Before);
}

void TreeCut::tvPasteAfter_Click(TreeNode* target) {
    paste(target, Where::After);
}

// What a drop of the node onto the target does with the menu's choice made:
// the target highlighted and selected, the move, then the node where it
// went selected with its path shown. A paste onto the node itself, as a
// drop onto itself, does nothing.
void TreeCut::paste(TreeNode* target, Where where) {
    TreeNode* cut = CutNode();
    if (!cut || !target || target == cut || parts_.readOnly.ReadOnly())
        return;
    if (where == Where::Inside && !target->IsFolder())
        return;      // only a folder takes nodes inside
    cut_ = nullptr;  // made or refused, the paste ends the cut
    NodeTree& tree = parts_.tree;
    TreeHistory::Step step(parts_.history, HistoryTexts::move());
    tree.SetDropHighlight(target);
    tree.SetSelectedItem(target);
    drag_.Set(DragSource::TreeView, cut);
    if (where == Where::Inside)
        moves_.MoveInside();
    else if (!moves_.IsIllegalDrop())
        moves_.MoveNode(where == Where::Before ? tvwPrevious : tvwNext);
    drag_.Set(DragSource::TreeView, nullptr);
    SelectDropHighlight(tree, platform_.pathLabel);
    parts_.settings.ScheduleSave();
}
