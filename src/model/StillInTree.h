#pragma once

#include "NodeTree.h"

#include <optional>
#include <unordered_set>

// Whether nodes taken from the tree since one moment are still in it: at
// once while nothing has been removed since, else by one walk of the tree,
// made again only after further removals. NodeTree::Holds searches the
// whole tree for each node, too slow for thousands of them.
class StillInTree {
public:
    explicit StillInTree(const NodeTree& tree) : tree_(&tree), removals_(tree.Removals()) {}

    bool operator()(const TreeNode* node) {
        const std::uint64_t removals = tree_->Removals();
        if (removals == removals_)
            return node != nullptr;
        if (!living_ || walkedAt_ != removals) {
            walkedAt_ = removals;
            living_.emplace();
            living_->reserve(std::size_t(tree_->Count()));
            for (const TreeNode* n = tree_->First(); n; n = NodeTree::NextInDocumentOrder(n))
                living_->insert(n);
        }
        return living_->contains(node);
    }

private:
    const NodeTree* tree_;
    std::uint64_t removals_;
    std::uint64_t walkedAt_ = 0;
    std::optional<std::unordered_set<const TreeNode*>> living_;
};
