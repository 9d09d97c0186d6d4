#include "TreeDropCommands.h"

#include "DragStates.h"
#include "model/NodeTree.h"

namespace {
constexpr int Dragging = 2;
}

TreeDropCommands::TreeDropCommands(const Platform& platform, NodeTree& tree, TreeHistory& history,
                                   const DragStates& drags, const BrowserSelection& browser,
                                   const MenuOptions& options, ItemIcons& icons, PathChecks& checks)
    : tree_(tree),
      drags_(drags),
      moves_(platform.messages, tree, drags),
      copy_(platform, tree, history, browser, options, icons, checks) {}

// While the menu serves a drop from outside the program, the choice is all a
// command gives: that drop is carried out once the menu has closed.
bool TreeDropCommands::choose(Choice choice) {
    dropChoice_ = choice;
    return !externalDropPending_;
}

bool TreeDropCommands::browserDragging() const {
    return drags_.DirDragState() == Dragging || drags_.FileDragState() == Dragging;
}

void TreeDropCommands::tdAfter_Click() {
    if (choose(DropAfter))
        placeBesideTarget(tvwNext);
}

void TreeDropCommands::tdBefore_Click() {
    if (choose(DropBefore))
        placeBesideTarget(tvwPrevious);
}

void TreeDropCommands::placeBesideTarget(Relationship relationship) {
    if (drags_.TreeDragState() == Dragging) {
        if (!moves_.IsIllegalDrop())
            moves_.MoveNode(relationship);
    } else if (browserDragging()) {
        copy_.AddBrowserPath(relationship);
    }
}

void TreeDropCommands::tdInside_Click() {
    if (!choose(DropInside))
        return;
    if (drags_.TreeDragState() == Dragging)
        moves_.MoveInside();
    else if (browserDragging())
        copy_.AddBrowserPath(tvwChild);
}

void TreeDropCommands::tdCancel_Click() {
    if (!choose(DropCancel))
        return;
    TreeNode* dragged = drags_.DragNode();
    if (!dragged) {
        tree_.SetDropHighlight(nullptr);
        return;
    }
    // Out of a tree drag, the drag's node is the one dragged last, which a
    // move before or after may have re-created and removed since, or the
    // user deleted: the highlight then stays on the target.
    if (drags_.TreeDragState() != Dragging && !tree_.Holds(dragged))
        return;
    tree_.SetDropHighlight(dragged);
    tree_.SetSelectedItem(dragged);
}

void TreeDropCommands::AddBrowserPath(std::optional<Relationship> relationship) {
    copy_.AddBrowserPath(relationship);
}
