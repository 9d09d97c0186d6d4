#pragma once

#include "DragSource.h"
#include "Geometry.h"
#include "OutsideOffer.h"

#include <QSet>
#include <QString>
#include <optional>

class TreeNode;

// The pictures the tree's own drag shows: the dragged node's picture, kept
// from the start of the drag, or "nodrop" once it has left the tree.
enum class DragPicture { TempImage, NoDrop };

// Mouse buttons as the handlers number them.
enum MouseButton : int { ButtonLeft = 1, ButtonRight = 2, ButtonMiddle = 4 };

// The nodes a filter keeps in view: those found and the folders above them.
using KeptNodes = QSet<const TreeNode*>;

// What the logic asks of the tree widget beyond the model it shows: the hit
// test and scrolling. Selection, expansion, labels and pictures follow the
// model through its adapter.
class TreeViewPort {
public:
    virtual ~TreeViewPort() = default;
    // The node whose picture or label lies at the point (tree coordinates,
    // twips), or none on the blank rest of a row or below the last row.
    virtual TreeNode* HitTest(float x, float y) const = 0;
    // Scrolls the node's row into view; its ancestors are already expanded.
    virtual void ScrollTo(TreeNode* node) = 0;
    virtual int GetVisibleCount() const = 0;
    // Opens the in-place editor on the node's label; its end comes back as
    // TreeView_AfterLabelEdit.
    virtual void StartLabelEdit(TreeNode* node) = 0;
    // Begins a drag of the tree with the picture of a node: the image key or
    // number of its collapsed or expanded picture; and what the node offers
    // programs outside the window, if anything.
    virtual void BeginDrag(const QString& picture, const std::optional<OutsideOffer>& outside) = 0;
    // How far the pointer goes with a button held before the desktop takes
    // it for a drag, in twips.
    virtual float DragDistance() const = 0;
    // Changes the picture of the drag under way over the tree.
    virtual void SetDragPicture(DragPicture picture) = 0;
    // The tree's size, in twips, and the twips in one pixel across.
    virtual TwipsSize Size() const = 0;
    virtual float TwipsPerPixelX() const = 0;
    // Shows only the kept nodes, each folder that holds one of them open in
    // the view alone: the nodes' Expanded stay as they are, and what the
    // user opens or closes meanwhile is the view's too. Null shows the whole
    // tree again as its nodes' Expanded say, scrolled back to where it was
    // before the first of these calls.
    virtual void ShowOnly(const KeptNodes* kept) = 0;
};

// Keys as the handlers number them.
enum KeyCode : int {
    KeyReturn = 13,
    KeyEscape = 27,
    KeyDelete = 46,
    KeyV = 86,
    KeyX = 88,
    KeyY = 89,
    KeyZ = 90,
    KeyContextMenu = 93,  // the menu key
    KeyF2 = 113,
    KeyF10 = 121,
};
// The shift argument of a key: the held modifiers added up.
enum ShiftMask : int { ShiftShift = 1, ShiftCtrl = 2, ShiftAlt = 4 };

// What the user does in the tree. The view changes nothing in the tree by
// itself: a click, a key or the expand mark only report, and the handlers
// decide. Coordinates are twips in the tree's own frame.
class TreeViewEvents {
public:
    virtual ~TreeViewEvents() = default;
    virtual void TreeView_MouseDown(int button, int shift, float x, float y) = 0;
    virtual void TreeView_DblClick() = 0;
    // The user made the node the current one (a click on it, an arrow key).
    virtual void TreeView_NodeClick(TreeNode* node) = 0;
    // The user collapsed or expanded the node in the view.
    virtual void TreeView_Collapse(TreeNode* node) = 0;
    virtual void TreeView_Expand(TreeNode* node) = 0;
    // buttons: the held buttons' numbers added up, 0 for none.
    virtual void TreeView_MouseMove(int buttons, int shift, float x, float y) = 0;
    virtual void TreeView_MouseUp(int button, int shift, float x, float y) = 0;
    // The in-place editor closed: with the text typed, or with none when the
    // user backed out. Before the tree changes: the handler decides.
    virtual void TreeView_AfterLabelEdit(const std::optional<QString>& newText) = 0;
    // A key the tree does not use for moving about.
    virtual void TreeView_KeyDown(int key, int shift) = 0;
    // The keyboard's focus came to the tree other than by a click (Tab, a
    // shortcut, the window coming to the front).
    virtual void TreeView_GotFocus() = 0;
};
