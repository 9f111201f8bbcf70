// Whole runs from the button click, checked against worked examples to the
// last digit and against the literal working.
#include <gtest/gtest.h>

#include <cctype>
#include <random>

#include "desktop_model/state/control_names.h"
#include "support/cartesian_run.h"
#include "core/common/rounding.h"

namespace cpt::testing {
namespace {

struct ExampleCase {
    const char* label;
    const char* firstFile;  // entered first
    const char* secondFile;
    const char* expectedFirstName;  // treatment 1 after ordering
    PairFigures expected;
    double mean1, mean2;
};

TEST(CartesianRun, TwoTreatmentExamplesToTheLastDigit) {
    const ExampleCase cases[] = {
        // Entered smaller mean first: the ordering puts Kale (mean 4) first.
        {.label = "3,5 vs 1,2", .firstFile = "cabbage_1_2.txt", .secondFile = "kale_3_5.txt",
         .expectedFirstName = "Kale",
         .expected = {.significant = 4, .below = 0, .above = 0, .insignificant = 0, .mean = 2.5,
                      .variance = 1.6666666666666667, .sd = 1.2909944487358056, .tLower = -0.030302643722024403,
                      .tUpper = 5.030302643722024, .percentileLower = 1, .percentileUpper = 4, .pValue = 0},
         .mean1 = 4, .mean2 = 1.5},
        {.label = "2,6 vs 1,5", .firstFile = "kale_2_6.txt", .secondFile = "cabbage_1_5.txt",
         .expectedFirstName = "Kale",
         .expected = {.significant = 2, .below = 1, .above = 1, .insignificant = 2, .mean = 1,
                      .variance = 10.666666666666666, .sd = 3.265986323710904, .tLower = -5.401215618965718,
                      .tUpper = 7.401215618965718, .percentileLower = -3, .percentileUpper = 5, .pValue = 0.5},
         .mean1 = 4, .mean2 = 3},
        // Equal means: j minus i, nothing significant; B of 3 and 2.
        {.label = "equal means", .firstFile = "mustard_0_1_5.txt", .secondFile = "radish_1_3.txt",
         .expectedFirstName = "Mustard",
         .expected = {.significant = 0, .below = 3, .above = 3, .insignificant = 6, .mean = 0, .variance = 6.8,
                      .sd = 2.6076809620810595, .tLower = -5.110960809164242, .tUpper = 5.110960809164242,
                      .percentileLower = -4, .percentileUpper = 3, .pValue = 1},
         .mean1 = 2, .mean2 = 2},
    };
    for (const ExampleCase& c : cases) {
        SCOPED_TRACE(c.label);
        CartesianRun run;
        run.script({fixture(c.firstFile), fixture(c.secondFile)});
        run.run();
    const CartesianResult& r = run.result();
        EXPECT_FALSE(run.stopMessage()) << *run.stopMessage();
        EXPECT_EQ(treatmentOf(r, 1).name, c.expectedFirstName);
        EXPECT_EQ(treatmentOf(r, 1).mean, c.mean1);
        EXPECT_EQ(treatmentOf(r, 2).mean, c.mean2);
        EXPECT_EQ(figuresOf(r, 1, 2), c.expected);
        EXPECT_TRUE(run.reportWritten());
    }
}

TEST(CartesianRun, PerTreatmentStatisticsAndAnalysisOfVariance) {
    CartesianRun run;
    run.script({fixture("kale_2_6.txt"), fixture("cabbage_1_5.txt")});
    run.run();
    const CartesianResult& r = run.result();
    EXPECT_EQ(treatmentOf(r, 1).bootstrapNumber, 2);
    EXPECT_EQ(treatmentOf(r, 1).sum, 8);
    EXPECT_EQ(treatmentOf(r, 1).sumSquares, 40);
    EXPECT_EQ(treatmentOf(r, 1).variance, 8);
    EXPECT_EQ(treatmentOf(r, 2).varianceBySums, 8);
    EXPECT_EQ(treatmentOf(r, 2).sd, std::sqrt(8.0));
    EXPECT_EQ(r.anova.grandMean, 3.5);
    EXPECT_EQ(r.anova.ssBetween, 20 * 0.25 + 25 * 0.25);
    EXPECT_EQ(r.anova.ssWithin, 19 * 8.0 + 24 * 8.0);
    EXPECT_EQ(r.anova.dfBetween, 1);
    EXPECT_EQ(r.anova.dfWithin, 43);
    EXPECT_EQ(r.anova.totalSampleSize, 45);
    EXPECT_TRUE(r.anova.f.has_value());
    EXPECT_EQ(*r.anova.f, (11.25 / 1) / (344.0 / 43));
}

TEST(CartesianRun, ZeroWithinGroupsVarianceLeavesFUndefined) {
    CartesianRun run;
    run.folder.write("a.txt", treatmentText("A", "A", 2, {"1", "1"}));
    run.folder.write("b.txt", treatmentText("B", "B", 2, {"2", "2"}));
    run.script({run.folder.path() / "a.txt", run.folder.path() / "b.txt"});
    run.run();
    EXPECT_FALSE(run.result().anova.f.has_value());
}

TEST(CartesianRun, ConstantSamplesGiveNoSpreadRatherThanNotANumber) {
    // Their sums cancel to a rounding error just below 0.
    CartesianRun run;
    run.folder.write("a.txt", treatmentText("A", "A", 777, std::vector<std::string>(777, "0.123")));
    run.folder.write("b.txt", treatmentText("B", "B", 777, std::vector<std::string>(777, "0.456")));
    run.script({run.folder.path() / "a.txt", run.folder.path() / "b.txt"});
    run.run();
    const PairFigures pair = figuresOf(run.result(), 1, 2);
    ASSERT_LT(pair.variance, 0);
    EXPECT_EQ(pair.sd, 0);
    EXPECT_EQ(pair.tLower, pair.mean);
    EXPECT_FALSE(run.result().anova.f.has_value());
    const std::string report = readFile(run.folder.path() / run.state().OutputFileName);
    EXPECT_EQ(report.find("NAN"), std::string::npos);
    EXPECT_NE(report.find("F value = undefined"), std::string::npos);
}

// True when the text holds "nan" or "inf" as a word of its own, in any case.
bool showsNotFinite(std::string text) {
    for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const auto isLetter = [](char ch) { return std::isalpha(static_cast<unsigned char>(ch)) != 0; };
    for (const std::string word : {"NAN", "INF"}) {
        for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
            const bool before = at > 0 && isLetter(text[at - 1]);
            const bool after = at + 3 < text.size() && isLetter(text[at + 3]) && text.compare(at, 8, "INFINITY") != 0;
            if (!before && !after) return true;
        }
    }
    return false;
}

// Nothing the user can see may read NaN or infinity, at the edges of what is accepted.
TEST(CartesianRun, EdgeCasesNeverShowNaNOrInfinity) {
    ASSERT_TRUE(showsNotFinite("x = -INF "));
    ASSERT_TRUE(showsNotFinite(" nan"));
    ASSERT_FALSE(showsNotFinite("PLEASE INFORM"));
    struct Case {
        const char* label;
        std::vector<std::string> first, second;
        std::int32_t sampleSize;
        bool fDefined;
    };
    const std::string big = "1E+150";
    const Case cases[] = {
        {"constant 0.9 and 1.0", std::vector<std::string>(3000, "0.9"), std::vector<std::string>(3000, "1.0"), 20, false},
        {"constant at the magnitude limit", std::vector<std::string>(500, big), std::vector<std::string>(500, "-" + big),
         2147483647, false},
        {"spread at the magnitude limit", {big, "-" + big, big, "0"}, {"-" + big, "0", "-" + big, "-" + big},
         2147483647, false},
        {"large values, large samples", {"1E+100", "-1E+100", "3E+100"}, {"-1E+100", "2E+100", "0"}, 2147483647, true},
        // One spread treatment is enough for an F, first or last by mean.
        {"constant but the last", {"5", "5", "5"}, {"1", "2", "3"}, 20, true},
        {"constant but the first", {"4", "5", "6"}, {"1", "1", "1"}, 20, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CartesianRun run;
        const auto b = [](const std::vector<std::string>& v) { return static_cast<std::int32_t>(v.size()); };
        run.folder.write("a.txt", treatmentText("A", "A", b(c.first), c.first, c.sampleSize));
        run.folder.write("b.txt", treatmentText("B", "B", b(c.second), c.second, c.sampleSize));
        run.script({run.folder.path() / "a.txt", run.folder.path() / "b.txt"});
        run.run();
        ASSERT_TRUE(run.reportWritten());
        EXPECT_EQ(run.result().anova.f.has_value(), c.fDefined);
        const std::string report = readFile(run.folder.path() / run.state().OutputFileName);
        EXPECT_FALSE(showsNotFinite(report)) << report;
        EXPECT_EQ(report.find("F value = undefined") != std::string::npos, !c.fDefined);
        for (const std::string& cell : run.context.window.grid.cells) EXPECT_FALSE(showsNotFinite(cell)) << cell;
    }
}

TEST(CartesianRun, ThreeTreatmentsAreNumberedByMean) {
    struct Case {
        bool reversed;
        const char* names[3];
    };
    for (const Case& c : {Case{false, {"High", "Middle", "Low"}}, Case{true, {"Low", "Middle", "High"}}}) {
        SCOPED_TRACE(c.reversed ? "reversed" : "default");
        CartesianRun run;
        run.script({fixture("mean_010.txt"), fixture("mean_030.txt"), fixture("mean_020.txt")}, false, c.reversed);
        run.run();
        const AnalysisState& s = run.state();
    const CartesianResult& r = run.result();
        for (int p = 1; p <= 3; ++p) {
            EXPECT_EQ(treatmentOf(r, p).name, c.names[p - 1]);
            EXPECT_EQ(treatmentOf(r, p).source, s.TreatmentFile[treatmentOf(r, p).entry + 1]);
        }
        EXPECT_EQ(r.sidakAlpha, 0.016952427508441503);
        // The triangle tables' rules are 11 n + 15 long.
        const std::string report = readFile(run.folder.path() / s.OutputFileName);
        EXPECT_NE(report.find("\r\n " + std::string(48, '=') + "\r\n"), std::string::npos);
        EXPECT_NE(report.find("\r\n " + std::string(48, '-') + "\r\n"), std::string::npos);
        for (int i = 1; i < 3; ++i) {
            for (int j = i + 1; j <= 3; ++j) EXPECT_EQ(figuresOf(r, i, j), literalPair(run.context, i, j));
        }
        // Larger-mean minus smaller-mean either way: the same pair tables.
        EXPECT_GT(figuresOf(r, 1, 3).mean, 0);
    }
}

std::vector<std::string> randomValues(std::mt19937& generator, int count, double centre) {
    std::uniform_int_distribution<int> steps(-40, 40);
    std::vector<std::string> values;
    for (int k = 0; k < count; ++k) values.push_back(std::to_string(centre + steps(generator) * 0.0025));
    return values;
}

TEST(CartesianRun, FourTreatmentsMatchTheLiteralWorkingInEveryPair) {
    CartesianRun run;
    std::mt19937 generator(4);
    const int sizes[] = {30, 45, 40, 35};
    const double centres[] = {0.21, 0.25, 0.18, 0.23};
    std::vector<std::filesystem::path> files;
    for (int t = 0; t < 4; ++t) {
        std::string number = std::to_string(t + 1);
        std::vector<std::string> values = randomValues(generator, sizes[t], centres[t]);
        values.push_back("-1");
        files.push_back(run.folder.write(number + ".txt", treatmentText(number, number, sizes[t], values)));
    }
    run.script(files);
    run.run();
    const CartesianResult& r = run.result();
    EXPECT_EQ(static_cast<int>(r.pairs.size()), 6);
    EXPECT_EQ(r.sidakAlpha, 0.008512444610847103);
    for (int p = 1; p < 4; ++p) EXPECT_GE(treatmentOf(r, p).mean, treatmentOf(r, p + 1).mean);
    for (int i = 1; i < 4; ++i) {
        for (int j = i + 1; j <= 4; ++j) {
            SCOPED_TRACE(::testing::Message() << "pair " << i << "," << j);
            EXPECT_EQ(figuresOf(r, i, j), literalPair(run.context, i, j));
        }
    }
    EXPECT_TRUE(run.reportWritten());
}

TEST(CartesianRun, ProgressIsShownBetweenPairs) {
    CartesianRun run;
    std::vector<std::string> captions;
    run.context.window.setRedrawHandler([&](std::string_view name) {
        if (name == "Label2") captions.push_back(run.context.window[control::Label2].caption);
    });
    run.context.window[control::Label6].backColor = Rgb{255, 255, 0};
    run.script({fixture("mean_010.txt"), fixture("mean_030.txt"), fixture("mean_020.txt")});
    run.run();
    const std::string status = "I am running Cartesian paired test.\nPlease wait!\nDon't touch me!";
    ASSERT_GE(captions.size(), 7u);
    EXPECT_EQ(captions[0], status);
    EXPECT_EQ(captions[1], status + "\n(Comparing 1 with 2)");
    EXPECT_EQ(captions[2], status + "\n(Comparing 1 with 2)\n(Sorting...)");
    EXPECT_EQ(captions[5], status + "\n(Comparing 2 with 3)");
    EXPECT_EQ(captions[6], status + "\n(Comparing 2 with 3)\n(Sorting...)");
    const AnalysisState& s = run.state();
    EXPECT_EQ(s.StatusText, status);
    EXPECT_EQ(s.StartStamp, "Cartesian paired test began at:2026-12-09 22:32:02");
    const ControlModel& window = run.context.window;
    EXPECT_EQ(window[control::lblBootBegin].caption, s.StartStamp);
    EXPECT_EQ(window[control::Label6].caption, "2026-12-09 22:32:02\nTreat 2 to treat 3");
    EXPECT_EQ(window[control::Label6].height, 615);
    // Three pairs: yellow, red, yellow, red.
    EXPECT_EQ(window[control::Label6].backColor, (Rgb{255, 0, 0}));
    EXPECT_EQ(window[control::Label6].foreColor, (Rgb{255, 255, 0}));
    EXPECT_FALSE(window[control::Label14].visible);
}

TEST(CartesianRun, ASecondRunCountsAfresh) {
    CartesianRun run;
    run.script({fixture("kale_2_6.txt"), fixture("cabbage_1_5.txt")});
    run.run();
    run.script({fixture("kale_2_6.txt"), fixture("cabbage_1_5.txt")});
    run.run();
    EXPECT_EQ(figuresOf(run.result(), 1, 2).significant, 2);
    EXPECT_EQ(figuresOf(run.result(), 1, 2).insignificant, 2);
}

}  // namespace
}  // namespace cpt::testing
