// A pair judged from its sorted samples and exact sums, against every
// difference formed, judged and sorted as the described loop does it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/cartesian/difference_listing.h"
#include "core/cartesian/exact_pair.h"
#include "core/common/rounding.h"
#include "support/long_rational.h"

namespace cpt::testing {
namespace {

struct PairCase {
    const char* label;
    std::vector<double> larger;   // the larger-mean treatment's values, in file order
    std::vector<double> smaller;
};

const PairCase Cases[] = {
    {"described example", {3, 5}, {1, 2}},
    {"ties at 0 and at twice the observed difference", {2, 6, 2, 6, 4}, {1, 5, 1, 3}},
    {"negative values", {-1.5, -0.25, -3, 0.5, -0.25}, {-2, -4.75, -1.5, -2}},
    {"mixed magnitudes", {1e16, 1, 1e16 + 2, 0.1, 3e-300}, {-7.25, 1e-10, 1e16, 0.1, 0}},
    {"equal means", {1, 2, 3}, {3, 2, 1}},
    {"decimal bootstrap values", {0.2113, 0.2248, 0.1987, 0.215, 0.2301, 0.2113}, {0.1987, 0.2049, 0.2113, 0.19}},
};

double meanOf(const std::vector<double>& values) {
    double sum = 0;
    for (double x : values) sum += x;
    return sum / static_cast<double>(values.size());
}

TEST(ExactPair, CountsPercentilesAndMomentsAreThoseOfEveryDifference) {
    for (const PairCase& c : Cases) {
        SCOPED_TRACE(c.label);
        const double observed = std::abs(meanOf(c.larger) - meanOf(c.smaller));
        std::vector<double> all;
        DifferenceCounts expected;
        for (double x : c.larger) {
            for (double y : c.smaller) {
                const double d = x - y;
                all.push_back(d);
                const Verdict verdict = judgeDifference(d, 2 * observed);
                (verdict == Verdict::Significant ? expected.significant
                 : verdict == Verdict::Below     ? expected.below
                                                 : expected.above)++;
            }
        }
        std::sort(all.begin(), all.end());
        const double n = static_cast<double>(c.smaller.size()) * static_cast<double>(c.larger.size());
        const auto lower = static_cast<std::size_t>(*toInt32(n * 0.025 + 0.5));
        const auto upper = static_cast<std::size_t>(*toInt32(n * 0.975 + 0.5));

        std::vector<double> a = c.larger;
        std::vector<double> b = c.smaller;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        for (std::int64_t listLimit : {0, 1}) {
            DifferenceRanking ranking;
            ranking.setListLimit(listLimit);
            const ExactPairFigures figures =
                exactPairFigures(a, b, exactSumOf(c.larger), exactSumOf(c.smaller), observed, ranking);
            EXPECT_EQ(figures.counts.significant, expected.significant);
            EXPECT_EQ(figures.counts.below, expected.below);
            EXPECT_EQ(figures.counts.above, expected.above);
            EXPECT_EQ(figures.percentileLower, all[std::max<std::size_t>(lower, 1) - 1]);
            EXPECT_EQ(figures.percentileUpper, all[upper - 1]);

            Dyadic sum{0, 0};
            Dyadic sumSquares{0, 0};
            for (double x : c.larger) {
                for (double y : c.smaller) {
                    const Dyadic d = Dyadic::of(x) - Dyadic::of(y);
                    sum = sum + d;
                    sumSquares = sumSquares + d * d;
                }
            }
            const auto count = static_cast<std::int64_t>(n);
            EXPECT_TRUE(isNearestDouble(figures.moments.mean, sum, count));
            EXPECT_TRUE(isNearestDouble(figures.moments.variance,
                                        Dyadic{LongInteger(count), 0} * sumSquares - sum * sum, count * (count - 1)));
        }
    }
}

TEST(ExactPair, PercentileRanksRoundHalvesToEven) {
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

TEST(ExactPair, DifferenceFilesAreEstimatedBeforeTheyAreRefused) {
    EXPECT_EQ(differenceFileLines(1'000'000'000'000), 4'000'000'000'053);
    EXPECT_EQ(approximateSize(differenceFileBytes(1'000'000'000'000)), "about 132 TB");
    EXPECT_EQ(approximateSize(999), "about 999 bytes");
    EXPECT_EQ(approximateSize(12'345'678), "about 12.3 MB");
}

}  // namespace
}  // namespace cpt::testing
