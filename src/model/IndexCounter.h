#pragma once

#include "NodeTree.h"

#include <cstdint>
#include <vector>

// Turns creation order into Index values without walking the tree.
//
// Every node gets a slot, numbered in creation order; a Fenwick tree over
// alive bits of the slots answers "how many living nodes were created up to
// this one" (the node's Index) and "which node is the k-th living one" (Item)
// in O(log n). Removed nodes leave dead slots behind, so a removal shifts the
// Index of every later node without touching them. When dead slots outnumber
// the living ones the slots are compacted and the nodes renumbered, which
// costs O(n) once per O(n) removals.
class NodeTree::IndexCounter {
public:
    IndexCounter();

    // Gives the node the next slot and returns its number. Its count joins
    // the sums when they are next wanted, with every slot given since, in
    // one pass: a reader gives a hundred thousand nodes their slots in a row.
    std::uint32_t append(TreeNode* node) {
        slots_.push_back(node);
        ++alive_;
        return std::uint32_t(size());
    }
    // Brings the sums up to the newest slot; every use of them does first.
    void settle() const {
        if (sums_.size() != slots_.size())
            settleNewSlots();
    }
    void release(std::uint32_t slot);
    // Renumbers the nodes when dead slots have piled up; changes sequence_
    // of living nodes but never their order.
    void compactIfSparse();
    // Destroys every node and starts afresh, newest first: no walk of the
    // (possibly very deep) tree is needed.
    void deleteAll();

    int alive() const { return alive_; }
    int indexOf(std::uint32_t slot) const;   // 1-based Index of a living slot
    TreeNode* nodeAt(int index) const;       // null when out of range
    bool holds(const TreeNode* node) const;  // among the living, by address

private:
    static std::size_t lowestBit(std::size_t i) { return i & (~i + 1); }
    std::size_t size() const { return slots_.size() - 1; }
    void rebuildSums();
    void settleNewSlots() const;

    // Both 1-based: element 0 is unused, as the Fenwick arithmetic wants.
    std::vector<TreeNode*> slots_;            // null for a removed node
    mutable std::vector<std::int32_t> sums_;  // may end before slots_ do
    int alive_ = 0;
    int dead_ = 0;
};
