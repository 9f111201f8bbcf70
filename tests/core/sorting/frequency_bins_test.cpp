#include "core/sorting/frequency_bins.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace cpt {
namespace {

ChartModel classes(std::vector<double> values, std::vector<double> counts) {
    ChartModel chart;
    chart.classValues = std::move(values);
    chart.classCounts = std::move(counts);
    return chart;
}

ChartModel wholeNumbers(int from, int to, double count) {
    ChartModel chart;
    for (int value = from; value <= to; ++value) {
        chart.classValues.push_back(value);
        chart.classCounts.push_back(count);
    }
    return chart;
}

TEST(FrequencyBinsTest, BinsFollowTheClassGrid) {
    struct Case {
        std::string name;
        ChartModel chart;
        double start;
        double width;
        std::vector<double> counts;
    };
    const std::vector<Case> cases = {
        {"a bar per whole number, gaps included", classes({1, 2, 4}, {3, 1, 2}), 0.5, 1, {3, 1, 0, 2}},
        {"one class", classes({7.25}, {4}), 6.75, 1, {4}},
        {"tenths", classes({0.1, 0.2, 0.3}, {1, 2, 1}), 0.05, 0.1, {1, 2, 1}},
        {"no classes", classes({}, {}), 0, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FrequencyBins bins = binClasses(c.chart);
        EXPECT_DOUBLE_EQ(bins.start, c.start);
        EXPECT_DOUBLE_EQ(bins.width, c.width);
        EXPECT_EQ(bins.counts, c.counts);
    }
}

TEST(FrequencyBinsTest, ManyClassesShareBarsEvenly) {
    // 150 whole numbers: two to a bar, never one bar with three beside one with one.
    const FrequencyBins pairs = binClasses(wholeNumbers(1, 150, 100));
    EXPECT_DOUBLE_EQ(pairs.width, 2);
    EXPECT_EQ(pairs.counts, std::vector<double>(75, 200));

    const FrequencyBins many = binClasses(wholeNumbers(1, 30000, 1));
    EXPECT_LE(many.counts.size(), 101u);
    EXPECT_EQ(std::accumulate(many.counts.begin(), many.counts.end(), 0.0), 30000);
    EXPECT_EQ(std::fmod(many.width, 1.0), 0);

    std::mt19937 random(5);
    std::uniform_real_distribution<double> uniform(-1, 1);
    ChartModel spread;
    for (int k = 0; k < 1000; ++k) {
        spread.classValues.push_back(uniform(random));
        spread.classCounts.push_back(1);
    }
    const FrequencyBins bins = binClasses(spread);
    EXPECT_GE(bins.counts.size(), 30u);
    EXPECT_LE(bins.counts.size(), 34u);
    EXPECT_EQ(std::accumulate(bins.counts.begin(), bins.counts.end(), 0.0), 1000);
}

TEST(FrequencyBinsTest, NormalCurveIsInCountsPerBar) {
    const FrequencyBins bins = binClasses(wholeNumbers(1, 5, 20));
    EXPECT_DOUBLE_EQ(normalCountAt(bins, 3, 2, 3), 100 * 1 / (2 * std::sqrt(2 * std::numbers::pi)));
    EXPECT_EQ(normalCountAt(bins, 3, 0, 3), 0);
    EXPECT_FALSE(hasNormalCurve(0));
    EXPECT_FALSE(hasNormalCurve(std::nan("")));
}

}  // namespace
}  // namespace cpt
