// Whole runs with pairs beyond the list capacity: lowered here, so that small
// pairs go the large pairs' way and can be checked against every difference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "core/report/difference_listing.h"
#include "core/common/number_format.h"
#include "support/cartesian_run.h"
#include "support/long_rational.h"
#include "support/test_files.h"

namespace cpt::testing {
namespace {

constexpr const char* Note =
    "Pairs with more than 9000005 differences: means and variances are exact, computed from the samples' sums.";

// Values written so that they read back as exactly these doubles.
std::vector<std::string> exactTexts(const std::vector<double>& values) {
    std::vector<std::string> texts;
    for (double v : values) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.17g", v);
        texts.emplace_back(buffer);
    }
    return texts;
}

std::filesystem::path treatmentFile(CartesianRun& run, const std::string& name, const std::vector<double>& values) {
    return run.folder.write(name + ".txt", treatmentText(name, name.substr(0, 1), static_cast<std::int32_t>(values.size()),
                                                        exactTexts(values)));
}


std::vector<std::string> reportLines(const CartesianRun& run) {
    return readLines(run.context.workingDirectory / run.context.state.OutputFileName);
}

// Ties at 0 and at twice the observed difference, negative values, and
// magnitudes far apart so that differences round.
const std::vector<std::vector<double>> TiedSamples = {
    {2, 6, 2, 6, 4, -1.5, 0.1},
    {1, 5, 1, 3, -1.5, 0.30000000000000004},
    {1e16, 1, 1e16 + 2, 0.1, -7.25, 2},
};

// The three tied samples as treatments T1 to T3, run to the end.
void runTiedSamples(CartesianRun& run) {
    std::vector<std::filesystem::path> files;
    for (std::size_t t = 0; t < TiedSamples.size(); ++t) {
        files.push_back(treatmentFile(run, "T" + std::to_string(t + 1), TiedSamples[t]));
    }
    run.script(files);
    run.run();
}

TEST(LargeRun, PairsBeyondTheCapacityAreExactOverEveryDifference) {
    CartesianRun run;
    run.context.differenceListCapacity = 3;
    runTiedSamples(run);
    ASSERT_FALSE(run.stopMessage()) << *run.stopMessage();
    const CartesianResult& r = run.result();
    EXPECT_TRUE(r.momentsFromSums);
    for (int i = 1; i < 3; ++i) {
        for (int j = i + 1; j <= 3; ++j) {
            SCOPED_TRACE(::testing::Message() << "pair " << i << ", " << j);
            const PairFigures large = figuresOf(r, i, j);
            const PairFigures literal = literalPair(run.context, i, j);
            EXPECT_EQ(large.significant, literal.significant);
            EXPECT_EQ(large.below, literal.below);
            EXPECT_EQ(large.above, literal.above);
            EXPECT_EQ(large.insignificant, literal.insignificant);
            EXPECT_EQ(large.pValue, literal.pValue);
            EXPECT_EQ(large.percentileLower, literal.percentileLower);
            EXPECT_EQ(large.percentileUpper, literal.percentileUpper);

            // Mean and variance of the real differences, exactly.
            const bool iMinusJ = treatmentOf(r, i).mean > treatmentOf(r, j).mean;
            expectExactOverEveryDifference(figuresOf(r, i, j).mean, figuresOf(r, i, j).variance, testing::valuesAt(run.context, i), testing::valuesAt(run.context, j),
                                           iMinusJ);
            EXPECT_EQ(figuresOf(r, i, j).sd, std::sqrt(figuresOf(r, i, j).variance));
            EXPECT_EQ(figuresOf(r, i, j).tLower, figuresOf(r, i, j).mean - figuresOf(r, i, j).sd * 1.959964);
        }
    }
    const std::vector<std::string> lines = reportLines(run);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), Note), 1);
    const auto note = std::find(lines.begin(), lines.end(), Note);
    ASSERT_NE(note, lines.begin());
    EXPECT_TRUE(note[-1].starts_with("df within groups (dfD: denominator) =")) << note[-1];
}

TEST(LargeRun, WithinTheCapacityTheReportHasNoNoteAndTheSumsRunInOrder) {
    CartesianRun run;
    runTiedSamples(run);
    ASSERT_FALSE(run.stopMessage()) << *run.stopMessage();
    EXPECT_FALSE(run.result().momentsFromSums);
    for (int i = 1; i < 3; ++i) {
        for (int j = i + 1; j <= 3; ++j) EXPECT_EQ(figuresOf(run.result(), i, j), literalPair(run.context, i, j));
    }
    const std::vector<std::string> lines = reportLines(run);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), Note), 0);
}

// Treatments 1, 2, 3 by their means, with 2, 3 and 3 values: under a
// capacity of 6 only pair (2, 3) is too large to list.
std::vector<std::filesystem::path> mixedPairFiles(CartesianRun& run) {
    return {treatmentFile(run, "A", {10, 11}), treatmentFile(run, "B", {5, 6, 7}), treatmentFile(run, "C", {1, 2, 3})};
}

TEST(LargeRun, DifferenceFilesOfATooLargePairAreAskedAboutBeforeTheRun) {
    for (const bool goOn : {true, false}) {
        SCOPED_TRACE(goOn ? "Yes" : "No");
        CartesianRun run;
        run.context.differenceListCapacity = 6;
        run.answerQuestions(true, false).answerCount("3").answerFiles(mixedPairFiles(run));
        run.dialogs.answerMessage(std::string(UnlistedDifferencesTitle), goOn ? AnswerYes : AnswerNo);
        if (goOn) run.answerReportCode();
        run.run();
        EXPECT_FALSE(run.stopMessage());
        std::string prompt;
        for (const auto& shown : run.dialogs.shown) {
            if (shown.title == UnlistedDifferencesTitle) prompt = shown.prompt;
        }
        EXPECT_EQ(prompt,
                  "Difference files list at most 6 differences a pair.\n"
                  "Treatments 2 and 3 have 9 Cartesian differences: their six difference files would hold 89 lines, "
                  "about 756 bytes.\n"
                  "Go on without the difference files of these pairs?");
        const std::vector<std::string> files = run.outputFiles();
        auto filesOf = [&](const std::string& pair) {
            return std::count_if(files.begin(), files.end(),
                                 [&](const std::string& name) { return name.find(pair) != std::string::npos; });
        };
        EXPECT_EQ(filesOf("-1 to 2_"), goOn ? 6 : 0);
        EXPECT_EQ(filesOf("-1 to 3_"), goOn ? 6 : 0);
        EXPECT_EQ(filesOf("-2 to 3_"), 0);
        EXPECT_EQ(run.reportWritten(), goOn);
        if (goOn) EXPECT_EQ(figuresOf(run.result(), 2, 3), literalPair(run.context, 2, 3));
    }
}

std::string reportLineStarting(const std::vector<std::string>& lines, const std::string& label) {
    for (const std::string& line : lines) {
        if (line.find(label) != std::string::npos) return line;
    }
    return {};
}

// The sums in Cartesian order round at every addition; for these samples that
// shows in the last printed digit of the mean and of the variance. A large
// pair prints the exact ones.
TEST(LargeRun, PrintsTheExactMeanAndVarianceWhereTheOrderedSumsMissTheLastDigit) {
    struct Case {
        const char* label;
        std::int64_t capacity;
        const char* mean;
        const char* variance;
    };
    const Case cases[] = {
        {"listed: sums in Cartesian order", ValueCapacity, " .941666666666666 ", " .0602120000000005 "},
        {"beyond the capacity: exact sums", 8, " .941666666666667 ", " .060212 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CartesianRun run;
        run.context.differenceListCapacity = c.capacity;
        run.script({run.folder.write("x.txt", treatmentText("X", "X", 3, {"0.73599999999999999", "1.1859999999999999", "1.2469999999999999"})),
                    run.folder.write("y.txt", treatmentText("Y", "Y", 3, {"0.083000000000000004", "0.17100000000000001", "0.089999999999999997"}))});
        run.run();
        ASSERT_FALSE(run.stopMessage()) << *run.stopMessage();
        const std::vector<std::string> lines = reportLines(run);
        EXPECT_NE(reportLineStarting(lines, "Mean (Cart. diff.) =").find(c.mean), std::string::npos);
        EXPECT_NE(reportLineStarting(lines, "              Variance =").find(c.variance), std::string::npos)
            << reportLineStarting(lines, "              Variance =");
    }
}

}  // namespace
}  // namespace cpt::testing
