#pragma once

#include <cstddef>
#include <cstdint>

// Room for a tree's nodes: slots of one size cut from large blocks, so that
// a node costs its own bytes and no allocator bookkeeping, and a large tree
// is built without a call to malloc per node. Blocks are aligned to their
// size, which finds a slot's block from its address alone; a block that no
// longer holds anything goes back to the system unless no other has room.
class NodePool {
public:
    NodePool(std::size_t slotSize, std::size_t slotAlign);
    // Gives every block back: whatever was in their slots must be gone.
    ~NodePool();
    NodePool(const NodePool&) = delete;
    NodePool& operator=(const NodePool&) = delete;

    void* allocate();
    void deallocate(void* slot);

private:
    struct Block;
    struct Links {
        Block* previous = nullptr;
        Block* next = nullptr;
    };
    static constexpr std::size_t BlockBytes = std::size_t(1) << 16;

    static void link(Block*& head, Links Block::*links, Block* block);
    static void unlink(Block*& head, Links Block::*links, Block* block);
    Block* newBlock();

    std::size_t slotSize_;
    std::size_t firstSlot_;     // offset of the first slot in a block
    std::uint32_t perBlock_;    // slots in a block
    Block* all_ = nullptr;      // every block
    Block* partial_ = nullptr;  // the blocks with a slot to give
};
