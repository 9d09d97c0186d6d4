#include "WindowDrags.h"

#include "browser/BrowserMouse.h"
#include "tree/TreeMouse.h"

int WindowDrags::TreeDragState() const {
    return tree_.TreeDragState();
}

int WindowDrags::DirDragState() const {
    return browser_.DirDragState();
}

int WindowDrags::FileDragState() const {
    return browser_.FileDragState();
}

TreeNode* WindowDrags::DragNode() const {
    return tree_.DragNode();
}

void WindowDrags::EndDrag(DragSource source) {
    if (source == DragSource::TreeView)
        tree_.EndDrag();
    else
        browser_.EndDrag(source);
}
