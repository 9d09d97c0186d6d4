#include "NodePool.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {
struct FreeSlot {
    FreeSlot* next;
};

std::size_t roundUp(std::size_t size, std::size_t align) {
    return (size + align - 1) / align * align;
}
}  // namespace

// A block's head; its slots follow.
struct NodePool::Block {
    Links all;
    Links partial;              // while it has a slot to give
    FreeSlot* freed = nullptr;  // slots given back, to be given out again
    std::uint32_t cut = 0;      // slots ever given out, from the front
    std::uint32_t used = 0;
};

NodePool::NodePool(std::size_t slotSize, std::size_t slotAlign) {
    slotAlign = std::max(slotAlign, alignof(FreeSlot));
    slotSize_ = roundUp(std::max(slotSize, sizeof(FreeSlot)), slotAlign);
    firstSlot_ = roundUp(sizeof(Block), slotAlign);
    perBlock_ = std::uint32_t((BlockBytes - firstSlot_) / slotSize_);
}

NodePool::~NodePool() {
    while (Block* block = all_) {
        all_ = block->all.next;
        block->~Block();
        std::free(block);
    }
}

void NodePool::link(Block*& head, Links Block::*links, Block* block) {
    (block->*links) = {nullptr, head};
    if (head)
        (head->*links).previous = block;
    head = block;
}

void NodePool::unlink(Block*& head, Links Block::*links, Block* block) {
    const Links around = block->*links;
    (around.previous ? (around.previous->*links).next : head) = around.next;
    if (around.next)
        (around.next->*links).previous = around.previous;
    block->*links = {};
}

NodePool::Block* NodePool::newBlock() {
    void* memory = std::aligned_alloc(BlockBytes, BlockBytes);
    if (!memory)
        throw std::bad_alloc();
    auto* block = new (memory) Block;
    link(all_, &Block::all, block);
    link(partial_, &Block::partial, block);
    return block;
}

void* NodePool::allocate() {
    Block* block = partial_ ? partial_ : newBlock();
    void* slot;
    if (FreeSlot* freed = block->freed) {
        block->freed = freed->next;
        slot = freed;
    } else {
        slot = reinterpret_cast<char*>(block) + firstSlot_ + block->cut++ * slotSize_;
    }
    if (++block->used == perBlock_)
        unlink(partial_, &Block::partial, block);
    return slot;
}

void NodePool::deallocate(void* slot) {
    auto* block = reinterpret_cast<Block*>(reinterpret_cast<std::uintptr_t>(slot) &
                                           ~std::uintptr_t(BlockBytes - 1));
    if (block->used-- == perBlock_)
        link(partial_, &Block::partial, block);
    // An empty block is kept only while no other has room, so that a node
    // added and removed again and again at a block's edge costs no block.
    if (block->used == 0 && (partial_ != block || block->partial.next)) {
        unlink(partial_, &Block::partial, block);
        unlink(all_, &Block::all, block);
        block->~Block();
        std::free(block);
        return;
    }
    block->freed = new (slot) FreeSlot{block->freed};
}
