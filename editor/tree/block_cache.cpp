#include "editor/tree/block_cache.h"

#include <new>

namespace {

// Blocks are kept in classes of 64 bytes up to 2 KB: the entry arrays of
// trees of up to 32 entries. Larger ones go straight to the allocator.
constexpr size_t kGrain = 64;
constexpr size_t kClasses = 32;
// What one thread may keep at most, so that a burst of frees does not pin
// memory for good.
constexpr size_t kMostKeptBytes = size_t{4} << 20;
constexpr size_t kMostKeptPerClass = 2048;

struct FreeBlock {
    FreeBlock* next;
};

// Trivially destructible, so that it stays usable while the thread's other
// objects are destroyed; the keeper below empties it at thread exit.
struct Lists {
    FreeBlock* heads[kClasses];
    size_t counts[kClasses];
    size_t keptBytes;
    bool kept;    // the keeper below is set to empty the lists
    bool closed;  // the thread is ending: nothing more is kept
};
thread_local Lists t_lists;

void ReleaseAll(Lists& lists) {
    for (size_t i = 0; i < kClasses; ++i) {
        while (FreeBlock* block = lists.heads[i]) {
            lists.heads[i] = block->next;
            ::operator delete(block);
        }
        lists.counts[i] = 0;
    }
    lists.keptBytes = 0;
}

struct Keeper {
    ~Keeper() {
        t_lists.closed = true;
        t_lists.kept = false;
        ReleaseAll(t_lists);
    }
};

// Made with the first block kept, to empty the lists when the thread ends.
[[gnu::noinline]] bool StartKeeping(Lists& lists) {
    if (lists.closed) {
        return false;
    }
    static thread_local Keeper keeper;
    lists.kept = true;
    return true;
}

// The class of a request of `bytes`, or kClasses for one the cache does not
// serve.
size_t ClassOf(size_t bytes) {
    const size_t index = (bytes + kGrain - 1) / kGrain;
    return index == 0 || index > kClasses ? kClasses : index - 1;
}

// Under the address sanitizer every block goes to the allocator, so that a
// use after free is still caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kCaching = true;
#else
constexpr bool kCaching = true;
#endif

}  // namespace

namespace vy_blocks {

void* Take(size_t bytes) {
    const size_t index = ClassOf(bytes);
    if (!kCaching || index == kClasses) {
        return ::operator new(bytes);
    }
    Lists& lists = t_lists;
    if (FreeBlock* block = lists.heads[index]) {
        lists.heads[index] = block->next;
        --lists.counts[index];
        lists.keptBytes -= (index + 1) * kGrain;
        return block;
    }
    // A block of the class's full size, so that any request of the class
    // can have it later.
    return ::operator new((index + 1) * kGrain);
}

void Give(void* block, size_t bytes) noexcept {
    if (block == nullptr) {
        return;
    }
    const size_t index = ClassOf(bytes);
    if (!kCaching || index == kClasses) {
        ::operator delete(block);
        return;
    }
    Lists& lists = t_lists;
    const size_t size = (index + 1) * kGrain;
    if ((!lists.kept && !StartKeeping(lists)) || lists.counts[index] == kMostKeptPerClass ||
        lists.keptBytes + size > kMostKeptBytes) {
        ::operator delete(block);
        return;
    }
    auto* freed = static_cast<FreeBlock*>(block);
    freed->next = lists.heads[index];
    lists.heads[index] = freed;
    ++lists.counts[index];
    lists.keptBytes += size;
}

}  // namespace vy_blocks
