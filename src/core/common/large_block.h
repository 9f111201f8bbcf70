#pragma once
// Memory for the value arrays: millions of values each. Blocks of many
// megabytes come straight from the system, asked to be backed by huge pages,
// so that filling them costs a fraction of the page faults; smaller ones come
// from the ordinary heap.
#include <cstddef>

namespace cpt {

// Throws std::bad_alloc when the system refuses.
void* allocateLargeBlock(std::size_t bytes);
void freeLargeBlock(void* block, std::size_t bytes) noexcept;

template <typename T>
struct LargeBlockAllocator {
    using value_type = T;

    LargeBlockAllocator() = default;
    template <typename U>
    LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) { return static_cast<T*>(allocateLargeBlock(n * sizeof(T))); }
    void deallocate(T* block, std::size_t n) noexcept { freeLargeBlock(block, n * sizeof(T)); }

    template <typename U>
    bool operator==(const LargeBlockAllocator<U>&) const noexcept {
        return true;
    }
};

}  // namespace cpt
