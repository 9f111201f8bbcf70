#include "core/common/large_block.h"

#include <new>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CPT_ADDRESS_CHECKED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define CPT_ADDRESS_CHECKED 1
#endif

// The address checker watches heap blocks only: under it every block comes from the heap.
#if defined(__linux__) && !defined(__EMSCRIPTEN__) && !defined(CPT_ADDRESS_CHECKED)
#define CPT_LARGE_BLOCKS_FROM_SYSTEM 1
#include <sys/mman.h>

#include <cstdint>
#endif

namespace cpt {
namespace {

#if CPT_LARGE_BLOCKS_FROM_SYSTEM
constexpr std::size_t HugePage = std::size_t{2} << 20;
// Below this the heap serves well and a huge page would be mostly unused.
constexpr std::size_t SystemBlockThreshold = 4 * HugePage;

std::size_t roundUpToHugePages(std::size_t bytes) { return (bytes + HugePage - 1) / HugePage * HugePage; }
#endif

}  // namespace

void* allocateLargeBlock(std::size_t bytes) {
#if CPT_LARGE_BLOCKS_FROM_SYSTEM
    if (bytes >= SystemBlockThreshold) {
        const std::size_t size = roundUpToHugePages(bytes);
        // Huge pages need an aligned start: ask for one page more and give back the ends.
        void* mapped = mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) throw std::bad_alloc();
        const auto start = reinterpret_cast<std::uintptr_t>(mapped);
        const std::uintptr_t aligned = (start + HugePage - 1) / HugePage * HugePage;
        if (aligned > start) munmap(mapped, aligned - start);
        const std::size_t tail = start + size + HugePage - (aligned + size);
        if (tail > 0) munmap(reinterpret_cast<void*>(aligned + size), tail);
        void* block = reinterpret_cast<void*>(aligned);
        madvise(block, size, MADV_HUGEPAGE);  // a hint: without it the block still works
        return block;
    }
#endif
    return ::operator new(bytes);
}

void freeLargeBlock(void* block, std::size_t bytes) noexcept {
#if CPT_LARGE_BLOCKS_FROM_SYSTEM
    if (bytes >= SystemBlockThreshold) {
        munmap(block, roundUpToHugePages(bytes));
        return;
    }
#endif
    ::operator delete(block);
}

}  // namespace cpt
