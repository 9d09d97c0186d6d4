#pragma once

#include "platform/DragSource.h"

class TreeNode;

// Where the window's three drags stand, as the drop side needs them: each is
// 0 idle, 1 armed by a left press, 2 dragging. The tree's drag belongs to the
// tree's mouse handling, the lists' drags to the browser.
class DragStates {
public:
    virtual ~DragStates() = default;
    virtual int TreeDragState() const = 0;
    virtual int DirDragState() const = 0;
    virtual int FileDragState() const = 0;
    // The node the tree's drag carries; none before the first one.
    virtual TreeNode* DragNode() const = 0;
    // A drop onto a node ends the drag of the control it came from; a drop
    // of one control's drag ends whatever the others left behind.
    virtual void EndDrag(DragSource source) = 0;
};
