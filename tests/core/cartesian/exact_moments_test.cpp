// The mean and variance of all differences from the samples' exact sums,
// against the exact values formed difference by difference in long arithmetic.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/analysis/exact_moments.h"
#include "core/common/number_format.h"
#include "support/long_rational.h"

namespace cpt::testing {
namespace {

void expectExact(const std::vector<double>& x, const std::vector<double>& y) {
    const DifferenceMoments moments = exactDifferenceMoments(exactSumOf(x), exactSumOf(y));
    expectExactOverEveryDifference(moments.mean, moments.variance, x, y);
}

struct MomentCase {
    const char* label;
    std::vector<double> x;
    std::vector<double> y;
};

const MomentCase Cases[] = {
    {"small whole numbers", {3, 5}, {1, 2}},
    {"negative values", {-2.5, -7.125, 0.75}, {-0.5, 3, -11}},
    {"mixed magnitudes", {1e16, 1, -3.5e-5, 2.5e-300}, {-7.25, 1e-10, 4.9e-324, 3e15, 0.1}},
    {"near the top of the range", {1e150, -9.999e149}, {3.3e149, 1e-150, -1e150}},
    {"subnormal values", {1e-310, 3e-310, 2.5e-320}, {2e-310, 5e-324}},
    {"large offset, tiny spread", {1e8 + 0.1, 1e8 + 0.2, 1e8 + 0.3}, {1e8 + 0.05, 1e8 + 0.15}},
    {"constant samples", {0.1, 0.1, 0.1}, {0.3, 0.3}},
};

TEST(ExactMoments, AreTheDoublesNearestToTheExactMeanAndVariance) {
    for (const MomentCase& c : Cases) {
        SCOPED_TRACE(c.label);
        expectExact(c.x, c.y);
    }
}

TEST(ExactMoments, AreExactOnRandomBootstrapLikeSamples) {
    std::mt19937_64 generator(15);
    std::normal_distribution<double> noise(0, 0.012);
    for (int trial = 0; trial < 20; ++trial) {
        SCOPED_TRACE(trial);
        std::vector<double> x;
        std::vector<double> y;
        for (int k = 0; k < 13 + trial; ++k) x.push_back(std::nearbyint((0.21 + noise(generator)) * 1e6) / 1e6);
        for (int k = 0; k < 29 - trial; ++k) y.push_back(std::nearbyint((0.19 + noise(generator)) * 1e6) / 1e6);
        expectExact(x, y);
    }
}

TEST(ExactMoments, SpecialValuesAreExact) {
    DifferenceMoments m = exactDifferenceMoments(exactSumOf(std::vector<double>{3, 5}), exactSumOf(std::vector<double>{1, 2}));
    EXPECT_EQ(m.mean, 2.5);
    EXPECT_EQ(m.variance, 1.6666666666666667);
    m = exactDifferenceMoments(exactSumOf(std::vector<double>{0.1, 0.1}), exactSumOf(std::vector<double>{0.3, 0.3}));
    EXPECT_EQ(m.variance, 0.0);
    m = exactDifferenceMoments(exactSumOf(std::vector<double>{0.1}), exactSumOf(std::vector<double>{0.3}));
    EXPECT_TRUE(std::isnan(m.variance));
}

// The sums in Cartesian order round at every step; here that shows in the
// 15th printed digit of the mean, and the exact sums give the true one.
TEST(ExactMoments, DifferFromTheSequentialSumsInTheLastPrintedDigit) {
    const std::vector<double> x{0.20800000000000002, 0.26700000000000002, 0.91000000000000003, 1.0669999999999999};
    const std::vector<double> y{0.92400000000000004, 0.81599999999999995, 0.57799999999999996, 0.14399999999999999};
    double sum = 0;
    for (double a : x) {
        for (double b : y) sum += a - b;
    }
    EXPECT_EQ(recordNumber(sum / 16), "-.00249999999999997");
    const ExactMoments exact = bruteForceMoments(x, y);
    EXPECT_FALSE(isNearestDouble(sum / 16, exact.meanNumerator, exact.n));
    const DifferenceMoments moments = exactDifferenceMoments(exactSumOf(x), exactSumOf(y));
    EXPECT_EQ(recordNumber(moments.mean), "-.00249999999999998");
    expectExact(x, y);
}

}  // namespace
}  // namespace cpt::testing
