#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/analysis/cartesian_run.h"
#include "core/analysis/cartesian_test.h"
#include "core/common/user_error.h"
#include "support/cartesian_run.h"

namespace cpt::testing {
namespace {

Treatment inMemory(const std::string& name, std::vector<double> values, std::int32_t n, double estimate) {
    Treatment treatment;
    treatment.name = name;
    treatment.code = "r";
    treatment.sampleSize = n;
    treatment.estimate = estimate;
    treatment.values.assign(values.begin(), values.end());
    return treatment;
}

// The same values as files through the window's flow and as vectors through
// the one call: every figure the same double.
TEST(CartesianTest, TreatmentsBuiltInMemoryGiveTheNumbersOfTheSameValuesInFiles) {
    CartesianRun run;
    run.script({fixture("kale_2_6.txt"), fixture("cabbage_1_5.txt"), fixture("kale_3_5.txt")});
    run.run();
    ASSERT_FALSE(run.stopMessage());
    const cpt::CartesianRun& fromFiles = *run.context.cartesianRun;

    std::vector<Treatment> treatments;
    for (const Treatment& read : fromFiles.treatments) {
        treatments.push_back(inMemory(read.name, {read.values.begin(), read.values.end()}, read.sampleSize,
                                      read.estimate));
        treatments.back().code = read.code;
        treatments.back().source = read.source;
    }
    const CartesianResult result = runCartesianTest(treatments, {});
    const CartesianResult& expected = *fromFiles.result;
    EXPECT_EQ(result.treatments, expected.treatments);
    ASSERT_EQ(result.pairs.size(), expected.pairs.size());
    for (std::size_t k = 0; k < result.pairs.size(); ++k) {
        EXPECT_EQ(result.pairs[k].result, expected.pairs[k].result) << "pair " << k;
        EXPECT_EQ(result.pairs[k].meanDifference, expected.pairs[k].meanDifference);
    }
    EXPECT_EQ(result.anova.f, expected.anova.f);
    EXPECT_EQ(result.sidakAlpha, expected.sidakAlpha);
    EXPECT_EQ(result.letters.labels, expected.letters.labels);
    EXPECT_EQ(result.parameterCode, expected.parameterCode);
    // The state the window reads holds the same figures.
    EXPECT_EQ(run.state().PValue[1][2], result.pair(0, 1).result.pValue);
}

TEST(CartesianTest, OrdersByMeanReportsProgressAndRefusesWhatItCannotTake) {
    const std::vector<Treatment> treatments{inMemory("Low", {1, 2, 3}, 10, 2), inMemory("High", {5, 6, 8}, 10, 6),
                                            inMemory("Mid", {3, 4, 4}, 10, 4)};
    std::vector<std::string> seen;
    CartesianSettings settings;
    settings.progress = [&](const PairProgress& p) {
        if (p.stage == PairProgress::Stage::Done) {
            seen.push_back(std::to_string(p.first) + std::to_string(p.second) + "/" + std::to_string(p.pairNumber) +
                           "of" + std::to_string(p.pairCount));
        }
    };
    const CartesianResult result = runCartesianTest(treatments, settings);
    EXPECT_EQ(result.treatments[0].name, "High");
    EXPECT_EQ(result.treatments[2].entry, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"01/1of3", "02/2of3", "12/3of3"}));
    settings.reversed = true;
    EXPECT_EQ(runCartesianTest(treatments, settings).treatments[0].name, "Low");

    std::atomic<bool> cancel{true};
    settings.cancel = &cancel;
    EXPECT_THROW(runCartesianTest(treatments, settings), Cancelled);

    const struct {
        const char* what;
        std::vector<Treatment> treatments;
        const char* message;
    } refused[] = {
        {"one treatment", {treatments[0]}, "takes 2 to 26 treatments; 1 was given."},
        {"one value", {treatments[0], inMemory("One", {1}, 10, 1)}, "has 1 bootstrap values; at least 2 are needed"},
        {"sample size 0", {treatments[0], inMemory("None", {1, 2}, 0, 1)}, "sample size must be at least 1"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.what);
        try {
            runCartesianTest(c.treatments, {});
            ADD_FAILURE() << "not refused";
        } catch (const UserError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

}  // namespace
}  // namespace cpt::testing
