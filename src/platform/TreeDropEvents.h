#pragma once

#include "DragSource.h"

// What the window's own drags do over the tree. Coordinates are twips in the
// tree's own frame.
class TreeDropEvents {
public:
    virtual ~TreeDropEvents() = default;
    // state: 0 the drag enters the tree, 1 it leaves it, 2 it moves over it.
    virtual void TreeView_DragOver(DragSource source, float x, float y, int state) = 0;
    // Told once the drag has ended, so that what the drop shows (a menu, a
    // message) has the pointer to itself.
    virtual void TreeView_DragDrop(DragSource source, float x, float y) = 0;
};
