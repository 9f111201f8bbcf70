// A large pair judged from its sorted samples and exact sums, against every
// difference formed, judged and sorted as the described loop does it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/report/difference_listing.h"
#include "core/analysis/large_pair.h"
#include "support/literal_pair.h"
#include "support/long_rational.h"

namespace cpt::testing {
namespace {

// Treatments in the engine's pair order; either may have the larger mean.
struct PairCase {
    const char* label;
    std::vector<double> first;
    std::vector<double> second;
};

const PairCase Cases[] = {
    {"described example", {3, 5}, {1, 2}},
    {"ties at 0 and at twice the observed difference", {2, 6, 2, 6, 4}, {1, 5, 1, 3}},
    {"negative values", {-1.5, -0.25, -3, 0.5, -0.25}, {-2, -4.75, -1.5, -2}},
    {"mixed magnitudes", {1e16, 1, 1e16 + 2, 0.1, 3e-300}, {-7.25, 1e-10, 1e16, 0.1, 0}},
    {"equal means", {1, 2, 3}, {3, 2, 1}},
    {"second has the larger mean", {0.1, 0.4, -0.2}, {0.9, 1.3, 0.9, 2}},
    {"decimal bootstrap values", {0.2113, 0.2248, 0.1987, 0.215, 0.2301, 0.2113}, {0.1987, 0.2049, 0.2113, 0.19}},
};

TEST(LargePair, CountsPercentilesAndMomentsAreThoseOfEveryDifference) {
    for (const PairCase& c : Cases) {
        SCOPED_TRACE(c.label);
        double sums[2] = {0, 0};
        for (double x : c.first) sums[0] += x;
        for (double y : c.second) sums[1] += y;
        const PairDirection direction = directionOf(sums[0] / static_cast<double>(c.first.size()),
                                                    sums[1] / static_cast<double>(c.second.size()));
        const PairResult literal = literalPairResult(c.first, c.second, direction);
        for (std::int64_t listLimit : {0, 1}) {
            DifferenceRanking ranking;
            ranking.setListLimit(listLimit);
            const PairResult large = calculateLargePair(summarise(c.first), summarise(c.second), direction, ranking);
            EXPECT_EQ(large.significant, literal.significant);
            EXPECT_EQ(large.below, literal.below);
            EXPECT_EQ(large.above, literal.above);
            EXPECT_EQ(large.insignificant, literal.insignificant);
            EXPECT_EQ(large.pValue, literal.pValue);
            EXPECT_EQ(large.percentileLower, literal.percentileLower);
            EXPECT_EQ(large.percentileUpper, literal.percentileUpper);

            expectExactOverEveryDifference(large.mean, large.variance, c.first, c.second, direction.firstMinusSecond);
            EXPECT_EQ(large.sd, std::sqrt(large.variance));
            EXPECT_EQ(large.tLower, large.mean - large.sd * 1.959964);
            EXPECT_EQ(large.tUpper, large.sd * 1.959964 + large.mean);
        }
    }
}

TEST(LargePair, PercentileRanksRoundHalvesToEven) {
    struct RankCase {
        double differences;
        std::int64_t lower;
        std::int64_t upper;
    };
    const RankCase ranks[] = {
        {9'000'000, 225'000, 8'775'000}, {1'000, 26, 976}, {4, 1, 4}, {1e12, 25'000'000'000, 975'000'000'000},
        {2, 1, 2},  // 0.55 -> 1, 2.45 -> 2
    };
    for (const RankCase& r : ranks) {
        EXPECT_EQ(percentileRank(r.differences, 0.025), r.lower) << r.differences;
        EXPECT_EQ(percentileRank(r.differences, 0.975), r.upper) << r.differences;
    }
}

TEST(LargePair, DifferenceFilesAreEstimatedBeforeTheyAreRefused) {
    EXPECT_EQ(differenceFileLines(1'000'000'000'000), 4'000'000'000'053);
    EXPECT_EQ(approximateSize(differenceFileBytes(1'000'000'000'000)), "about 132 TB");
    EXPECT_EQ(approximateSize(999), "about 999 bytes");
    EXPECT_EQ(approximateSize(12'345'678), "about 12.3 MB");
}

}  // namespace
}  // namespace cpt::testing
