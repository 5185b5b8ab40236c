// CFxBlockCache: reading a group of objects makes and drops thousands of
// small entry arrays of a few sizes; a per-thread cache of dropped blocks
// hands them out again without a trip through the general allocator.
#pragma once

#include "editor/vyedit_export.h"

#include <cstddef>

namespace vy_blocks {

// A block of at least `bytes` bytes, aligned for any entry.
VYEDIT_EXPORT void* Take(size_t bytes);
// Gives back a block that Take returned for the same size.
VYEDIT_EXPORT void Give(void* block, size_t bytes) noexcept;

}  // namespace vy_blocks

// A standard allocator on the per-thread cache.
template <typename T>
class CFxBlockAllocator {
  public:
    using value_type = T;

    CFxBlockAllocator() = default;
    template <typename U>
    CFxBlockAllocator(const CFxBlockAllocator<U>&) noexcept {}

    T* allocate(size_t count) { return static_cast<T*>(vy_blocks::Take(count * sizeof(T))); }
    void deallocate(T* block, size_t count) noexcept { vy_blocks::Give(block, count * sizeof(T)); }

    template <typename U>
    bool operator==(const CFxBlockAllocator<U>&) const noexcept {
        return true;
    }
};
