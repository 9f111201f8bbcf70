// The pair histogram is counted from the sorted samples; it must equal a
// count of every difference listed out.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "core/figures/difference_histogram.h"

namespace cpt::figures {
namespace {

// Every difference listed and put into its bin: left edge in, the last bin
// also holds the largest difference.
std::vector<std::int64_t> bruteForceCounts(const std::vector<double>& a, const std::vector<double>& b,
                                           const DifferenceHistogram& histogram) {
    std::vector<std::int64_t> counts(histogram.counts.size(), 0);
    for (double x : a) {
        for (double y : b) {
            const double d = x - y;
            std::size_t bin = 0;
            while (bin + 1 < counts.size() && !(d < histogram.edge(bin + 1))) ++bin;
            ++counts[bin];
        }
    }
    return counts;
}

struct HistogramCase {
    const char* label;
    std::vector<double> minuends;
    std::vector<double> subtrahends;
    int bins;
};

TEST(DifferenceHistogram, EqualsABruteForceCountOfEveryDifference) {
    std::mt19937_64 random(13);
    std::normal_distribution<double> normal(0.3, 0.05);
    std::vector<double> wideA(300), wideB(200);
    for (double& v : wideA) v = normal(random);
    for (double& v : wideB) v = normal(random) - 0.02;
    const HistogramCase cases[] = {
        {"small, ties", {1, 2, 2, 5}, {0, 1, 1}, 4},
        {"negative differences", {0.1, 0.2}, {0.3, 0.5, 0.9}, 3},
        {"one bin", {1, 3}, {0.5, 2}, 1},
        {"differences on bin edges", {0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, 8},
        {"random samples", wideA, wideB, 60},
    };
    for (const HistogramCase& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<double> a = c.minuends, b = c.subtrahends;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        const DifferenceHistogram histogram = differenceHistogram(a, b, c.bins);
        ASSERT_EQ(histogram.counts.size(), static_cast<std::size_t>(c.bins));
        EXPECT_EQ(histogram.total, static_cast<std::int64_t>(a.size() * b.size()));
        EXPECT_EQ(std::accumulate(histogram.counts.begin(), histogram.counts.end(), std::int64_t{0}), histogram.total);
        EXPECT_EQ(histogram.counts, bruteForceCounts(a, b, histogram));
        EXPECT_EQ(histogram.start, a.front() - b.back());
    }
}

TEST(DifferenceHistogram, EqualDifferencesFillOneBinAroundThem) {
    const std::vector<double> a{2, 2}, b{0.5, 0.5, 0.5};
    const DifferenceHistogram histogram = differenceHistogram(a, b, 60);
    ASSERT_EQ(histogram.counts, std::vector<std::int64_t>{6});
    EXPECT_EQ(histogram.start, 1);
    EXPECT_EQ(histogram.width, 1);
}

TEST(DifferenceHistogram, EmptySampleAndBadBinCount) {
    const std::vector<double> a{1}, none;
    EXPECT_EQ(differenceHistogram(a, none).total, 0);
    EXPECT_TRUE(differenceHistogram(a, none).counts.empty());
    EXPECT_THROW(differenceHistogram(a, a, 0), std::invalid_argument);
}

}  // namespace
}  // namespace cpt::figures
