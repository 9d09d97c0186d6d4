#include "StringArena.h"

#include "AsanPoison.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {
void* mallocOrThrow(std::size_t bytes) {
    void* memory = std::malloc(bytes);
    if (!memory)
        throw std::bad_alloc();
    return memory;
}
}  // namespace

StringArena::~StringArena() {
    for (void* chunk : chunks_) {
        VARNEL_UNPOISON(chunk, ChunkBytes);
        std::free(chunk);
    }
}

void* StringArena::allocateElsewhere(std::size_t bytes) {
    if (bytes > LargestPooled)
        return mallocOrThrow(bytes);
    const std::size_t sizeClass = StringArena::sizeClass(bytes);
    void* block = freed_[sizeClass];
    if (block) {
        VARNEL_UNPOISON(block, Grain);
        std::memcpy(&freed_[sizeClass], block, sizeof(void*));
        VARNEL_POISON(block, Grain);  // what lies beyond the bytes asked for stays so
    } else {
        const std::size_t room = (sizeClass + 1) * Grain;
        if (std::size_t(end_ - next_) >= room) {
            block = next_;
            next_ += room;
        } else {
            block = cut(room);
        }
    }
    VARNEL_UNPOISON(block, bytes);
    ++live_;
    return block;
}

// A block from a new chunk; the rest of the old one, less than a large
// block, is left unused.
void* StringArena::cut(std::size_t roomBytes) {
    chunks_.reserve(chunks_.size() + 1);
    auto* chunk = static_cast<char*>(mallocOrThrow(ChunkBytes));
    chunks_.push_back(chunk);
    VARNEL_POISON(chunk, ChunkBytes);
    next_ = chunk + roomBytes;
    end_ = chunk + ChunkBytes;
    return chunk;
}

void StringArena::deallocate(void* block, std::size_t bytes) {
    if (bytes > LargestPooled) {
        std::free(block);
        return;
    }
    const std::size_t sizeClass = StringArena::sizeClass(bytes);
    VARNEL_UNPOISON(block, Grain);
    std::memcpy(block, &freed_[sizeClass], sizeof(void*));
    freed_[sizeClass] = block;
    VARNEL_POISON(block, (sizeClass + 1) * Grain);
    if (--live_ == 0)
        releaseChunksButLast();
}

// With no block in use, everything freed is one chunk's worth of room or
// more: a tree emptied whole (before it is read again) keeps one chunk, so
// that a node added and removed again and again costs no chunk each time.
void StringArena::releaseChunksButLast() {
    freed_.fill(nullptr);
    if (chunks_.empty())
        return;
    for (std::size_t i = 0; i + 1 < chunks_.size(); ++i) {
        VARNEL_UNPOISON(chunks_[i], ChunkBytes);
        std::free(chunks_[i]);
    }
    chunks_.erase(chunks_.begin(), chunks_.end() - 1);
    auto* last = static_cast<char*>(chunks_.back());
    VARNEL_POISON(last, ChunkBytes);
    next_ = last;
    end_ = last + ChunkBytes;
}
