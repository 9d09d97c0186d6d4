#include "ChildList.h"

#include "StringArena.h"

#include <cstring>

namespace {
// A folder filled child after child (as a file is read) starts with room
// for a few, rather than growing through one and two.
constexpr std::uint32_t FirstCapacity = 4;
}  // namespace

void ChildList::reallocate(std::uint32_t capacity, StringArena& arena) {
    auto* block = static_cast<Header*>(arena.allocate(blockBytes(capacity)));
    const std::uint32_t count = std::uint32_t(size());
    block->head = 0;
    block->end = count;
    block->capacity = capacity;
    block->unused = 0;
    if (count)
        std::memcpy(reinterpret_cast<TreeNode**>(block + 1), begin(), count * sizeof(TreeNode*));
    clear(arena);
    block_ = block;
}

void ChildList::insert(int row, TreeNode* node, StringArena& arena) {
    if (row == 0 && block_ && block_->head > 0) {
        slots()[--block_->head] = node;
        return;
    }
    if (!block_) {
        reallocate(FirstCapacity, arena);
    } else if (block_->end == block_->capacity) {
        // Slots given up at the front are taken back before the block grows.
        if (block_->head > 0)
            compact();
        else
            reallocate(block_->capacity * 2, arena);
    }
    TreeNode** const at = slots() + block_->head + row;
    if (const std::uint32_t after = block_->end - block_->head - std::uint32_t(row))
        std::memmove(at + 1, at, after * sizeof(TreeNode*));
    *at = node;
    ++block_->end;
}

void ChildList::erase(int row, StringArena& arena) {
    if (size() == 1) {
        clear(arena);  // the block goes with the last child
        return;
    }
    if (row != 0) {
        TreeNode** const at = slots() + block_->head + row;
        std::memmove(at, at + 1,
                     (block_->end - block_->head - std::uint32_t(row) - 1) * sizeof(TreeNode*));
        --block_->end;
        return;
    }
    ++block_->head;
    // The slots before the head are taken back once they outnumber the
    // children, so they never cost more than the children themselves.
    if (block_->head > block_->end - block_->head)
        compact();
}

void ChildList::compact() {
    const std::uint32_t count = block_->end - block_->head;
    std::memmove(slots(), slots() + block_->head, count * sizeof(TreeNode*));
    block_->head = 0;
    block_->end = count;
}

void ChildList::clear(StringArena& arena) {
    if (!block_)
        return;
    arena.deallocate(block_, blockBytes(block_->capacity));
    block_ = nullptr;
}
