#pragma once

#include <cstddef>
#include <cstdint>

class StringArena;
class TreeNode;

// The ordered children of a node, in one block of the tree's arena: a small
// header, then the children. A node without children has no block, and a
// folder read from a file costs no call to malloc, however it grows. Taking
// off the first child costs no more than taking off the last: a move empties
// a folder from the front, one child after another, and shifting all the
// rest each time would make a folder of n children cost n squared.
//
// The arena is the owner's to pass to every change, as for NodeStrings; the
// block goes back with the last child, or with clear().
class ChildList {
public:
    using const_iterator = TreeNode* const*;

    ChildList() = default;
    ~ChildList() = default;
    ChildList(const ChildList&) = delete;
    ChildList& operator=(const ChildList&) = delete;

    bool empty() const { return size() == 0; }
    int size() const { return block_ ? int(block_->end - block_->head) : 0; }
    // These three want a child to be there.
    TreeNode* operator[](int row) const { return slots()[block_->head + std::uint32_t(row)]; }
    TreeNode* front() const { return slots()[block_->head]; }
    TreeNode* back() const { return slots()[block_->end - 1]; }
    const_iterator begin() const { return block_ ? slots() + block_->head : nullptr; }
    const_iterator end() const { return block_ ? slots() + block_->end : nullptr; }

    void insert(int row, TreeNode* node, StringArena& arena);
    void push_back(TreeNode* node, StringArena& arena) {
        // As a file is read, child after child: mostly into room there is.
        if (block_ && block_->end < block_->capacity)
            slots()[block_->end++] = node;
        else
            insert(size(), node, arena);
    }
    void erase(int row, StringArena& arena);
    void clear(StringArena& arena);

private:
    // The slots follow the header; those before head are no longer used.
    struct Header {
        std::uint32_t head;
        std::uint32_t end;
        std::uint32_t capacity;
        std::uint32_t unused;
    };
    static_assert(sizeof(Header) % alignof(TreeNode*) == 0);

    TreeNode** slots() const { return reinterpret_cast<TreeNode**>(block_ + 1); }
    static std::size_t blockBytes(std::uint32_t capacity) {
        return sizeof(Header) + capacity * sizeof(TreeNode*);
    }
    // Moves the children to a block with room for capacity, the first in
    // the first slot.
    void reallocate(std::uint32_t capacity, StringArena& arena);
    // Moves the children to the front of the block.
    void compact();

    Header* block_ = nullptr;
};
