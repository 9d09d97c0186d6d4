#pragma once

#include "StillInTree.h"

// Walks the tree in document order a few nodes at a time, between which
// the tree may change, so that work over a whole tree never holds the
// user-interface thread for long. A walk whose next node was removed
// starts again from the top.
class PacedWalk {
public:
    explicit PacedWalk(const NodeTree& tree) : tree_(&tree), taken_(tree) {}

    void Restart() {
        next_ = tree_->First();
        taken_ = StillInTree(*tree_);
    }
    bool Done() const { return next_ == nullptr; }

    // The next node, or null once the walk is done.
    TreeNode* Take() {
        if (next_ && !taken_(next_))
            Restart();
        TreeNode* node = next_;
        next_ = NodeTree::NextInDocumentOrder(node);
        return node;
    }

private:
    const NodeTree* tree_;
    TreeNode* next_ = nullptr;
    StillInTree taken_;  // whether next_ is still there
};
