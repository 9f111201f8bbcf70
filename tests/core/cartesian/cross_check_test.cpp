// The engine's counts and order statistics, found from sorted samples,
// against every difference formed, judged and sorted the long way.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "support/cartesian_run.h"
#include "core/analysis/cartesian_run.h"
#include "desktop_model/cartesian/difference_engine.h"
#include "core/analysis/pair_statistics.h"

namespace cpt::testing {
namespace {

// Values from a few levels, so that differences tie, hit 0 and hit twice the
// observed difference; decimal levels add rounding ties on top.
std::vector<double> tiedSample(std::mt19937& generator, int count, bool decimal) {
    std::uniform_int_distribution<int> level(0, decimal ? 9 : 4);
    std::vector<double> values;
    for (int k = 0; k < count; ++k) {
        int v = level(generator);
        values.push_back(decimal ? 0.1 * v + 0.2 * (v % 3) : v);
    }
    return values;
}

// Every order statistic and both counts at every difference, against all
// differences sorted; small list limits make the narrowing run its rounds.
void expectRankingMatches(const std::vector<double>& a, const std::vector<double>& b, std::int64_t listLimit) {
    std::vector<double> all;
    for (double x : a) {
        for (double y : b) all.push_back(x - y);
    }
    std::sort(all.begin(), all.end());
    DifferenceRanking ranking;
    ranking.assign(a.data(), static_cast<std::int32_t>(a.size()), b.data(), static_cast<std::int32_t>(b.size()));
    ranking.setListLimit(listLimit);
    ASSERT_EQ(ranking.size(), static_cast<std::int64_t>(all.size()));
    for (std::size_t r = 0; r < all.size(); ++r) {
        ASSERT_EQ(ranking.smallest(static_cast<std::int64_t>(r + 1)), all[r]) << "rank " << r + 1;
        double limit = all[r];
        ASSERT_EQ(ranking.countAtMost(limit), std::upper_bound(all.begin(), all.end(), limit) - all.begin());
        ASSERT_EQ(ranking.countBelow(limit), std::lower_bound(all.begin(), all.end(), limit) - all.begin());
    }
}

TEST(CrossCheck, RankingGivesEveryOrderStatisticAndCount) {
    std::mt19937 generator(11);
    std::uniform_int_distribution<int> size(1, 12);
    for (int trial = 0; trial < 300; ++trial) {
        SCOPED_TRACE(::testing::Message() << "trial " << trial);
        bool decimal = trial % 2 == 1;
        std::vector<double> a = tiedSample(generator, size(generator), decimal);
        std::vector<double> b = tiedSample(generator, size(generator), decimal);
        for (std::int64_t listLimit : {0, 1, 3}) expectRankingMatches(a, b, listLimit);
    }
}

// Differences that round: magnitudes so far apart that x - y ties with x, or
// that a difference of two large values lands on a few doubles only.
std::vector<double> mixedSample(std::mt19937& generator, int count) {
    static const double Levels[] = {0, -1, 1, 0.1, -0.30000000000000004, 1e16, 1e16 + 2, -1e16, 3e-300, 2.5, -7.75, 1e300};
    std::uniform_int_distribution<int> level(0, std::size(Levels) - 1);
    std::uniform_int_distribution<int> scale(-3, 3);
    std::vector<double> values;
    for (int k = 0; k < count; ++k) values.push_back(Levels[level(generator)] * std::ldexp(1.0, scale(generator)));
    return values;
}

// The pivots never change a result, only how soon the narrowing ends, so
// the results cannot pin them: their places are pinned here.
TEST(DifferenceRanking, PivotsStandAboutThreeDeviationsAroundTheExpectedPlace) {
    struct Case {
        std::int64_t rank, inWindow;
        std::size_t count;
        PivotPositions expected;
    };
    const Case cases[] = {
        {50, 100, 100, {33, 66}},                                  // centre 49.5, spread 16.0
        {25'000'000'000, 1'000'000'000'000, 65536, {1517, 1760}},  // centre 1638.4, spread 120.9
        {1, 1'000'000, 1000, {0, 2}},                              // clamped at the first...
        {1'000'000, 1'000'000, 1000, {998, 999}},                  // ...and at the last of the sample
    };
    for (const Case& c : cases) {
        const PivotPositions p = pivotPositions(c.rank, c.inWindow, c.count);
        EXPECT_EQ(p.low, c.expected.low) << c.rank << " of " << c.inWindow;
        EXPECT_EQ(p.high, c.expected.high) << c.rank << " of " << c.inWindow;
    }
}

TEST(CrossCheck, RankingIsExactWhereDifferencesRoundOrTie) {
    std::mt19937 generator(15);
    std::uniform_int_distribution<int> size(1, 20);
    for (int trial = 0; trial < 60; ++trial) {
        SCOPED_TRACE(::testing::Message() << "trial " << trial);
        std::vector<double> a = mixedSample(generator, size(generator));
        std::vector<double> b = mixedSample(generator, size(generator));
        for (std::int64_t listLimit : {0, 1, 9}) expectRankingMatches(a, b, listLimit);
    }
}

TEST(CrossCheck, EngineMatchesTheLiteralWorkingOnTiedRandomSamples) {
    std::mt19937 generator(2026);
    std::uniform_int_distribution<int> size(2, 25);
    std::uniform_int_distribution<int> treatments(2, 4);
    for (int trial = 0; trial < 60; ++trial) {
        SCOPED_TRACE(::testing::Message() << "trial " << trial);
        CartesianRun run;
        AnalysisState& s = run.state();
        s.OutputPrefix = "25A-Cartesian diff";
        s.TreatmentCount = static_cast<std::int16_t>(treatments(generator));
        // Every third trial goes the way of the difference files.
        s.DetailedDifferences = trial % 3 == 0;
        bool decimal = trial % 2 == 1;
        auto treatments = std::make_shared<cpt::CartesianRun>();
        for (int t = 1; t <= s.TreatmentCount; ++t) {
            std::vector<double> values = tiedSample(generator, size(generator), decimal);
            Treatment treatment;
            treatment.sampleSize = 10;
            treatment.code.assign(1, 'C');
            treatment.values.assign(values.begin(), values.end());
            treatments->treatments.push_back(std::move(treatment));
        }
        run.context.cartesianRun = treatments;
        run.dialogs.answerInput("Add a code to the output filename?", "1");
        CartesianDifference2(run.context);
        for (int i = 1; i < s.TreatmentCount; ++i) {
            for (int j = i + 1; j <= s.TreatmentCount; ++j) {
                ASSERT_EQ(figuresOf(run.result(), i, j), literalPair(run.context, i, j)) << "pair " << i << "," << j;
            }
        }
    }
}

}  // namespace
}  // namespace cpt::testing
