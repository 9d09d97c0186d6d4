#pragma once

#include "NodeTree.h"
#include "SubtreeSnapshot.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

// Where a node stands: its row at each level from the top level down. The
// top level's own holder stands at the empty position.
using TreePosition = std::vector<int>;
TreePosition PositionOf(const TreeNode* node);
// The node at a position, or null when there is none (the empty position
// names the top level, which is no node).
TreeNode* NodeAt(const NodeTree& tree, const TreePosition& position);

// The changes one step made to the tree, in the order they were made, each
// with what taking it back needs. Nodes are named by position: taken back
// in the reverse order, every position is met in the tree it was taken in.
class TreeChanges {
public:
    bool Empty() const { return changes_.empty(); }
    std::size_t Count() const { return changes_.size(); }
    // The nodes the changes touch, counting every node of a removed subtree.
    std::size_t Nodes() const { return nodes_; }
    std::size_t Bytes() const;

    void Inserted(const TreeNode* node);
    void AboutToBeRemoved(const TreeNode* node);
    void Moved(const TreeNode* node, const TreeNode* oldParent, int oldRow);
    void AboutToChange(const TreeNode* node, NodeField field);

    // Takes every change back, last first, and returns the changes that take
    // the taking back back: the step's redo, whose own Revert is the undo
    // again. The tree must not tell these changes to a journal meanwhile.
    // Each node put back is passed to restored.
    TreeChanges Revert(NodeTree& tree, const std::function<void(TreeNode*)>& restored) const;

private:
    struct Change {
        enum class Kind : std::uint8_t { Inserted, Removed, Moved, Field };
        explicit Change(Kind k) : kind(k) {}
        Kind kind;
        NodeField field = NodeField::Text;  // Field
        bool flag = false;                  // Field: the old Expanded
        int row = 0;                        // Removed: the row under at; Moved: the old row
        TreePosition at;                    // Inserted, Moved, Field: the node; Removed: its parent
        TreePosition from;                  // Moved: the old parent
        QString text;                       // Field: the old text
        std::shared_ptr<const SubtreeSnapshot> removed;  // Removed
    };
    void record(Change change);

    std::vector<Change> changes_;
    std::size_t nodes_ = 0;
    // While the last change is an insertion: its node and the chain of
    // nodes inserted straight after it below one another, down to the last
    // one. A node inserted next under one of them needs no change of its
    // own, as taking the first back removes it with it: a whole tree
    // appended in file order is one change per top-level node.
    std::vector<const TreeNode*> insertedChain_;
};
