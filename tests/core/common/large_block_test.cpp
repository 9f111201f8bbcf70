// Value arrays live in large blocks: from the heap when small, straight from
// the system when many megabytes. Either way every byte must be usable and
// survive the array's growth.
#include "core/common/large_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace cpt {
namespace {

TEST(LargeBlock, EveryByteOfEverySizeIsUsable) {
    constexpr std::size_t MB = std::size_t{1} << 20;
    const struct {
        const char* label;
        std::size_t bytes;
    } sizes[] = {
        {"one byte", 1},
        {"a page", 4096},
        {"just below 8 MB", 8 * MB - 1},
        {"8 MB", 8 * MB},
        {"just above 8 MB", 8 * MB + 1},
        {"an odd 20 MB", 20 * MB + 3},
    };
    for (const auto& size : sizes) {
        SCOPED_TRACE(size.label);
        auto* block = static_cast<unsigned char*>(allocateLargeBlock(size.bytes));
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignof(std::max_align_t), 0u);
        std::memset(block, 0xA5, size.bytes);
        EXPECT_EQ(block[0], 0xA5);
        EXPECT_EQ(block[size.bytes - 1], 0xA5);
        freeLargeBlock(block, size.bytes);
    }
}

TEST(LargeBlock, ArrayKeepsItsValuesWhileGrowingPastTheSystemBlockSize) {
    std::vector<double, LargeBlockAllocator<double>> values;
    constexpr int Count = 3'000'000;  // 24 MB, through several growths
    for (int k = 0; k < Count; ++k) values.push_back(k * 0.5);
    for (int k = 0; k < Count; k += 9973) ASSERT_EQ(values[static_cast<std::size_t>(k)], k * 0.5);
    EXPECT_EQ(values.back(), (Count - 1) * 0.5);
    values.resize(10);
    values.shrink_to_fit();
    EXPECT_EQ(values[9], 4.5);
}

}  // namespace
}  // namespace cpt
