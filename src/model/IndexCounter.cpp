#include "IndexCounter.h"

#include <algorithm>
#include <bit>

namespace {
// Compacting a handful of dead slots is not worth the pass over all of them.
constexpr int MinDeadBeforeCompacting = 1024;
}  // namespace

NodeTree::IndexCounter::IndexCounter() {
    deleteAll();
}

void NodeTree::IndexCounter::deleteAll() {
    for (auto node = slots_.rbegin(); node != slots_.rend(); ++node)
        if (*node)
            (*node)->tree_->destroyNode(*node);
    slots_.assign(1, nullptr);
    sums_.assign(1, 0);
    alive_ = 0;
    dead_ = 0;
}

void NodeTree::IndexCounter::release(std::uint32_t slot) {
    settle();
    slots_[slot] = nullptr;
    for (std::size_t i = slot; i <= size(); i += lowestBit(i))
        --sums_[i];
    --alive_;
    ++dead_;
}

int NodeTree::IndexCounter::indexOf(std::uint32_t slot) const {
    settle();
    std::int32_t count = 0;
    for (std::size_t i = slot; i > 0; i -= lowestBit(i))
        count += sums_[i];
    return count;
}

TreeNode* NodeTree::IndexCounter::nodeAt(int index) const {
    if (index < 1 || index > alive_)
        return nullptr;
    settle();
    // Descend the implicit tree of ranges to the last slot whose prefix
    // count is below index; the slot after it holds the index-th node.
    std::size_t pos = 0;
    std::int32_t remaining = index;
    for (std::size_t step = std::bit_floor(size()); step > 0; step >>= 1) {
        if (pos + step <= size() && sums_[pos + step] < remaining) {
            pos += step;
            remaining -= sums_[pos];
        }
    }
    return slots_[pos + 1];
}

bool NodeTree::IndexCounter::holds(const TreeNode* node) const {
    return node && std::find(slots_.begin() + 1, slots_.end(), node) != slots_.end();
}

void NodeTree::IndexCounter::compactIfSparse() {
    if (dead_ < MinDeadBeforeCompacting || dead_ <= alive_)
        return;
    std::size_t next = 1;
    for (std::size_t i = 1; i <= size(); ++i) {
        if (TreeNode* node = slots_[i]) {
            node->sequence_ = std::uint32_t(next);
            slots_[next++] = node;
        }
    }
    slots_.resize(next);
    dead_ = 0;
    rebuildSums();
}

// The linear build of rebuildSums, for the new slots only: each new range
// holds its own slot's count and takes in the ranges that end just below
// it. Of the old ranges, only those on the old end's prefix path reach past
// it (each one's parent range is new); every other old range has passed
// its sum on already.
void NodeTree::IndexCounter::settleNewSlots() const {
    const std::size_t old = sums_.size() - 1;
    const std::size_t n = size();
    sums_.resize(n + 1);
    for (std::size_t i = old + 1; i <= n; ++i)
        sums_[i] = slots_[i] ? 1 : 0;
    for (std::size_t j = old; j > 0; j -= lowestBit(j)) {
        if (const std::size_t up = j + lowestBit(j); up <= n)
            sums_[up] += sums_[j];
    }
    for (std::size_t i = old + 1; i <= n; ++i) {
        if (const std::size_t up = i + lowestBit(i); up <= n)
            sums_[up] += sums_[i];
    }
}

void NodeTree::IndexCounter::rebuildSums() {
    // Linear build: every slot adds its own count, then passes its range
    // sum on to the one range that contains it.
    sums_.assign(slots_.size(), 0);
    for (std::size_t i = 1; i <= size(); ++i) {
        sums_[i] += slots_[i] ? 1 : 0;
        const std::size_t up = i + lowestBit(i);
        if (up <= size())
            sums_[up] += sums_[i];
    }
}
