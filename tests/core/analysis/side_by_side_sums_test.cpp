// Pairs summed side by side against each pair summed alone: the same bits,
// whichever direction each pair takes and however many go together.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <vector>

#include "core/analysis/side_by_side_sums.h"

namespace cpt::testing {
namespace {

struct Samples {
    std::vector<double> first;
    std::vector<double> second;
};

// Each of the same shape: 5 by 4.
const Samples Cases[] = {
    {{0.2113, 0.2248, 0.1987, 0.215, 0.2301}, {0.1987, 0.2049, 0.2113, 0.19}},
    {{1, 2, 2, 3, 0}, {2, 0, 1, 2}},  // zero differences, both ways
    {{-1.5, -0.25, -3, 0.5, -0.25}, {-2, -4.75, -1.5, -2}},
    {{1e16, 1, 1e16 + 2, 0.1, 3e-300}, {-7.25, 1e-10, 1e16, 0.1}},
};

std::uint64_t bitsOf(double x) { return std::bit_cast<std::uint64_t>(x); }

TEST(SideBySideSums, EveryPairHasTheBitsOfItsSumsAlone) {
    for (std::size_t together = 1; together <= SideBySidePairs; ++together) {
        for (const bool firstOneWay : {true, false}) {
            SCOPED_TRACE(::testing::Message() << together << " together, first pair first minus second: "
                                              << firstOneWay);
            std::vector<PairSamples> pairs;
            for (std::size_t p = 0; p < together; ++p) {
                const Samples& c = Cases[p];
                // Directions alternate, so a pair taken the other way sits
                // next to one taken this way.
                pairs.push_back({c.first, c.second, (p % 2 == 0) == firstOneWay});
            }
            const std::vector<DifferenceSums> sums = sumSideBySide(pairs);
            ASSERT_EQ(sums.size(), together);
            for (std::size_t p = 0; p < together; ++p) {
                const PairSamples& pair = pairs[p];
                const DifferenceSums alone = sumDifferences(pair.first.data(), static_cast<std::int32_t>(pair.first.size()),
                                                            pair.second.data(), static_cast<std::int32_t>(pair.second.size()),
                                                            pair.firstMinusSecond);
                EXPECT_EQ(bitsOf(sums[p].sum), bitsOf(alone.sum)) << "pair " << p;
                EXPECT_EQ(bitsOf(sums[p].sumSquares), bitsOf(alone.sumSquares)) << "pair " << p;
            }
        }
    }
}

TEST(SideBySideSums, OnlySmallSecondSamplesAreCopiedSideBySide) {
    EXPECT_TRUE(sumsSideBySide(3000, 3000));
    EXPECT_TRUE(sumsSideBySide(2, 1 << 15));
    EXPECT_FALSE(sumsSideBySide(2, (1 << 15) + 1));
    EXPECT_FALSE(sumsSideBySide(0, 10));
}

}  // namespace
}  // namespace cpt::testing
