#pragma once

#include "AsanPoison.h"

#include <array>
#include <cstddef>
#include <vector>

// Room for a tree's node strings and child lists: blocks of any size cut
// from large chunks, so that reading a large tree costs no call to malloc
// per node. A block given back goes on a list of its size class and is
// given out again for the next block of that class, so a tree edited for a
// long time reuses what its edits free; when the last block goes, the
// chunks go too but one. Blocks larger than a class holds come from
// malloc. The caller keeps each block's size: it is needed to give the
// block back.
class StringArena {
public:
    StringArena() = default;
    ~StringArena();
    StringArena(const StringArena&) = delete;
    StringArena& operator=(const StringArena&) = delete;

    void* allocate(std::size_t bytes) {
        // A reader takes block after block from the newest chunk, as here,
        // without a call; the rest (a block given back, a new chunk) calls.
        const std::size_t room = (sizeClass(bytes) + 1) * Grain;
        if (bytes > LargestPooled || freed_[sizeClass(bytes)] || std::size_t(end_ - next_) < room)
            return allocateElsewhere(bytes);
        void* const block = next_;
        next_ += room;
        VARNEL_UNPOISON(block, bytes);
        ++live_;
        return block;
    }
    void deallocate(void* block, std::size_t bytes);

private:
    static constexpr std::size_t Grain = 8;  // room for a free block's link
    static constexpr std::size_t LargestPooled = 512;
    static constexpr std::size_t ChunkBytes = std::size_t(1) << 16;
    static std::size_t sizeClass(std::size_t bytes) { return (bytes + Grain - 1) / Grain - 1; }

    void* allocateElsewhere(std::size_t bytes);
    void* cut(std::size_t roomBytes);
    void releaseChunksButLast();

    std::array<void*, LargestPooled / Grain> freed_{};  // per class, linked through the blocks
    char* next_ = nullptr;                              // the unused rest of the newest chunk
    char* end_ = nullptr;
    std::vector<void*> chunks_;
    std::size_t live_ = 0;  // blocks given out from the chunks and not back
};
