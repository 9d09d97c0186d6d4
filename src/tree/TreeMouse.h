#pragma once

#include "platform/Platform.h"
#include "platform/TreeViewPort.h"

class NodeTree;
class Opener;
class SettingsSchedule;
class TreeCut;
class TreeEditing;
class TreeFilter;
class TreeMenuHost;
class TreeUndo;

// What presses, moves, clicks, double clicks, keys, collapses and expands do
// to the tree.
class TreeMouse : public TreeViewEvents {
public:
    struct Parts {
        NodeTree& tree;
        SettingsSchedule& settings;
        Opener& opener;
        TreeEditing& editing;
        TreeMenuHost& menu;
        TreeUndo& undo;
        TreeFilter& filter;
        TreeCut& cut;
    };
    TreeMouse(const Platform& platform, const Parts& parts);

    void TreeView_MouseDown(int button, int shift, float x, float y) override;
    void TreeView_MouseMove(int buttons, int shift, float x, float y) override;
    void TreeView_MouseUp(int button, int shift, float x, float y) override;
    void TreeView_DblClick() override;
    void TreeView_NodeClick(TreeNode* node) override;
    void TreeView_Collapse(TreeNode* node) override;
    void TreeView_Expand(TreeNode* node) override;
    void TreeView_AfterLabelEdit(const std::optional<QString>& newText) override;
    void TreeView_KeyDown(int key, int shift) override;
    void TreeView_GotFocus() override;

    // TreeDragState: 0 idle, 1 armed by a left press on a node, 2 dragging.
    int TreeDragState() const { return dragState_; }
    // DragNode: the node being dragged, or dragged last: it may be gone.
    TreeNode* DragNode() const { return dragNode_; }
    // A drop of the node onto another has been handled: the drag is over.
    void EndDrag() { dragState_ = 0; }

private:
    void expansionChanged(TreeNode* node, bool expanded);
    bool farEnoughToDrag(const std::optional<OutsideOffer>& outside, float x, float y) const;
    void startDrag(const std::optional<OutsideOffer>& outside);

    Platform platform_;
    Parts parts_;
    // TreeMouseX, TreeMouseY: where the last button went down, in twips of
    // the tree. The double click acts on the node there.
    float mouseX_ = 0;
    float mouseY_ = 0;
    int dragState_ = 0;
    TreeNode* dragNode_ = nullptr;
};
