// One pair from its two samples alone: worked examples, the literal working
// on tied samples, both routes (with and without difference files), and the
// one place that mirrors the pair tables.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "desktop_model/state/analysis_state.h"
#include "core/report/difference_files.h"
#include "core/analysis/pair_calculation.h"
#include "support/cartesian_run.h"
#include "support/literal_pair.h"
#include "support/test_files.h"

namespace cpt::testing {
namespace {

double meanOf(const std::vector<double>& values) {
    double sum = 0;
    for (double v : values) sum += v;
    return sum / static_cast<double>(values.size());
}

TEST(PairCalculation, DirectionIsLargerMeanMinusSmallerWithEqualMeansSecondMinusFirst) {
    struct Case {
        const char* label;
        double firstMean, secondMean;
        PairDirection expected;
    };
    const Case cases[] = {
        {"first larger", 4, 3, {.firstMinusSecond = true, .observedDiff = 1}},
        {"second larger", 1.5, 4, {.firstMinusSecond = false, .observedDiff = 2.5}},
        {"equal", 2, 2, {.firstMinusSecond = false, .observedDiff = 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const PairDirection direction = directionOf(c.firstMean, c.secondMean);
        EXPECT_EQ(direction.firstMinusSecond, c.expected.firstMinusSecond);
        EXPECT_EQ(direction.observedDiff, c.expected.observedDiff);
    }
}

TEST(PairCalculation, WorkedExamplesToTheLastDigit) {
    struct Case {
        const char* label;
        std::vector<double> first, second;
        PairResult expected;
    };
    const Case cases[] = {
        {"2,6 vs 1,5", {2, 6}, {1, 5},
         {.significant = 2, .below = 1, .above = 1, .insignificant = 2, .mean = 1, .variance = 10.666666666666666,
          .sd = 3.265986323710904, .tLower = -5.401215618965718, .tUpper = 7.401215618965718,
          .percentileLower = -3, .percentileUpper = 5, .pValue = 0.5}},
        {"smaller mean first", {1, 2}, {3, 5},
         {.significant = 4, .mean = 2.5, .variance = 1.6666666666666667, .sd = 1.2909944487358056,
          .tLower = -0.030302643722024403, .tUpper = 5.030302643722024, .percentileLower = 1, .percentileUpper = 4}},
        {"equal means, B of 3 and 2", {0, 1, 5}, {1, 3},
         {.below = 3, .above = 3, .insignificant = 6, .variance = 6.8, .sd = 2.6076809620810595,
          .tLower = -5.110960809164242, .tUpper = 5.110960809164242, .percentileLower = -4, .percentileUpper = 3,
          .pValue = 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(calculatePair(c.first, c.second, directionOf(meanOf(c.first), meanOf(c.second))), c.expected);
    }
}

TEST(PairCalculation, ConstantSamplesGiveNoSpreadRatherThanNotANumber) {
    const std::vector<double> first(777, 0.123);
    const std::vector<double> second(777, 0.456);
    const PairResult result = calculatePair(first, second, directionOf(0.123, 0.456));
    ASSERT_LT(result.variance, 0);
    EXPECT_EQ(result.sd, 0);
    EXPECT_EQ(result.tLower, result.mean);
}

// Values from a few levels, so that differences tie, hit 0 and hit twice the
// observed difference.
std::vector<double> tiedSample(std::mt19937& generator, int count) {
    std::uniform_int_distribution<int> level(0, 9);
    std::vector<double> values;
    for (int k = 0; k < count; ++k) {
        const int v = level(generator);
        values.push_back(0.1 * v + 0.2 * (v % 3));
    }
    return values;
}

TEST(PairCalculation, BothRoutesMatchTheLiteralWorking) {
    std::mt19937 generator(314);
    std::uniform_int_distribution<int> size(2, 20);
    TempFolder folder;
    DifferenceFileSet files(folder.path(), "25A-Cartesian diff");
    TreatmentStatistics a;
    a.name = a.code = "A";
    TreatmentStatistics b;
    b.name = b.code = "B";
    for (int trial = 0; trial < 40; ++trial) {
        SCOPED_TRACE(::testing::Message() << "trial " << trial);
        const std::vector<double> first = tiedSample(generator, size(generator));
        const std::vector<double> second = tiedSample(generator, size(generator));
        const PairDirection direction = directionOf(meanOf(first), meanOf(second));
        const PairResult expected = literalPairResult(first, second, direction);
        EXPECT_EQ(calculatePair(first, second, direction), expected);
        a.bootstrapNumber = static_cast<std::int32_t>(first.size());
        b.bootstrapNumber = static_cast<std::int32_t>(second.size());
        const std::unique_ptr<PairDifferenceWriter> writer = files.openPair(a, b, 0, 1, direction.observedDiff);
        EXPECT_EQ(calculatePair(first, second, direction, writer.get()), expected);
        writer->close();
    }
}

}  // namespace
}  // namespace cpt::testing
