#pragma once

#include "tree/DragStates.h"

class BrowserMouse;
class TreeMouse;

// The window's three drags as the drop side sees them: the tree's drag is
// kept by the tree's mouse handling, the lists' by the browser's.
class WindowDrags : public DragStates {
public:
    WindowDrags(TreeMouse& tree, BrowserMouse& browser) : tree_(tree), browser_(browser) {}

    int TreeDragState() const override;
    int DirDragState() const override;
    int FileDragState() const override;
    TreeNode* DragNode() const override;
    void EndDrag(DragSource source) override;

private:
    TreeMouse& tree_;
    BrowserMouse& browser_;
};
