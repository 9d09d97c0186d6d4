#pragma once

#include "platform/Platform.h"
#include "platform/TreeDropEvents.h"

#include <memory>
#include <optional>

class DragStates;
class DropCommands;
class MenuOptions;
class NodeTree;
class SettingsSchedule;
class Timer;
class ReadOnlyTree;
class TreeHistory;
class TreeNode;

// The window's own drags ending on the tree: which row a drag points at,
// the drop target and the drag's picture while it moves, the drop menu, and
// the scrolling while a node is held near the tree's top or bottom edge.
class TreeDrop : public TreeDropEvents {
public:
    struct Parts {
        NodeTree& tree;
        TreeHistory& history;
        SettingsSchedule& settings;
        DragStates& drags;
        DropCommands& commands;
        const MenuOptions& options;
        const ReadOnlyTree& readOnly;  // filtered
    };
    TreeDrop(const Platform& platform, const Parts& parts);
    ~TreeDrop() override;
    TreeDrop(const TreeDrop&) = delete;
    TreeDrop& operator=(const TreeDrop&) = delete;

    struct RowNode {
        TreeNode* node = nullptr;
        float x = 0;  // where along the row it was found, or the last place probed
    };
    // The node of the row at y, wherever along the row x lies: beside a
    // short label or in the indentation too.
    RowNode FindRowNode(float x, float y) const;

    void TreeView_DragOver(DragSource source, float x, float y, int state) override;
    void TreeView_DragRelease(DragSource source, float x, float y) override;
    void TreeView_DragDrop(DragSource source, float x, float y) override;
    void TreeScrollEvent_Timer();
    // 0 no scrolling, 1 downwards, 2 upwards.
    int TreeScrollDirection() const { return scrollDirection_; }

private:
    void endOtherDrags(DragSource source);
    void showDragPicture(DragSource source, bool canDrop);
    void runDropMenu(DragSource source, TreeNode* target);
    void armScrolling(float y);
    void stopScrolling();
    TreeNode* dropTarget(DragSource source, float x, float y);

    Platform platform_;
    Parts parts_;
    std::unique_ptr<Timer> treeScrollEvent_;
    int scrollDirection_ = 0;  // TreeScrollDirection
    // Where the drag to be dropped was let go: the node under the point
    // then, or none.
    struct Release {
        DragSource source;
        TreeNode* target;
    };
    std::optional<Release> release_;
};
