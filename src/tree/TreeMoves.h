#pragma once

#include "model/Relationship.h"

#include <QString>

class DragStates;
class MessageBoxes;
class NodeTree;
class TreeNode;

// Moving the tree's dragged node, with its whole subtree, before or after the
// drop highlight or inside it.
//
// The tree can give a node a new parent only as that parent's last child, so
// a move before or after re-creates the node (and every node below it) at
// the new place and removes the original. Nodes that must be found again
// while others come and go carry a marker key for the moment; a node's own
// key goes to its copy, and no marker outlives the move.
class TreeMoves {
public:
    TreeMoves(MessageBoxes& messages, NodeTree& tree, const DragStates& drags);

    // True when the dragged folder would land inside its own subtree: the
    // user has been told, and the folder is highlighted and selected.
    bool IsIllegalDrop();
    // Moves DragNode directly after (tvwNext) or before (tvwPrevious) the
    // drop highlight; the copy ends selected and highlighted.
    void MoveNode(Relationship relationship);
    // Moves every child of source, with its subtree, to the end of
    // destination's children, in order.
    void MoveChildren(TreeNode* source, TreeNode* destination);
    // Makes the drop highlight the new parent of DragNode, which keeps its
    // own node objects; refused, with a word to the user, for a parent of
    // the node's own subtree.
    void MoveInside();

private:
    TreeNode* copyItem(TreeNode* item, TreeNode* anchor, const QString& marker,
                       Relationship relationship);
    TreeNode* copyFolder(TreeNode* folder, TreeNode* anchor, const QString& marker,
                         Relationship relationship);
    void tellIllegalDrop();

    MessageBoxes& messages_;
    NodeTree& tree_;
    const DragStates& drags_;
    // MoveDepth: the nesting level of the folder whose children are moving,
    // 0 between moves. Wider than the 16 bits a depth would seem to need:
    // a chain deeper than that would give two levels the same marker.
    int moveDepth_ = 0;
};
