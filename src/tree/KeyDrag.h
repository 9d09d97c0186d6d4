#pragma once

#include "DragStates.h"

// A drag made with keys rather than the mouse: a node cut and pasted, a
// browser entry added with "Add to Tree". The drop commands run for it just
// as for a drag of the mouse, which it stands in for while they run: it
// reads as dragging for the one control it names, with the node it carries.
class KeyDrag : public DragStates {
public:
    // Names the control and, for the tree, the node.
    void Set(DragSource source, TreeNode* node) {
        source_ = source;
        node_ = node;
    }

    int TreeDragState() const override { return stateOf(DragSource::TreeView); }
    int DirDragState() const override { return stateOf(DragSource::DirList); }
    int FileDragState() const override { return stateOf(DragSource::FileList); }
    TreeNode* DragNode() const override { return node_; }
    // Nothing lingers once the command has run: the next one names its own.
    void EndDrag(DragSource) override {}

private:
    int stateOf(DragSource source) const { return source == source_ ? Dragging : 0; }

    static constexpr int Dragging = 2;
    DragSource source_ = DragSource::TreeView;
    TreeNode* node_ = nullptr;
};
