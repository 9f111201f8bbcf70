// The count of treatments, the end of a value list, the ordering mean and the
// maintainer's transformations.
#include <gtest/gtest.h>

#include "support/cartesian_run.h"

namespace cpt::testing {
namespace {

std::vector<std::filesystem::path> writeTreatments(const CartesianRun& run, int count) {
    std::vector<std::filesystem::path> files;
    for (int t = 1; t <= count; ++t) {
        std::string value = std::to_string(t);
        files.push_back(run.folder.write("t" + value + ".txt", treatmentText("T" + value, "C" + value, 2,
                                                                             {value, value + ".5", "-1"})));
    }
    return files;
}

TEST(TreatmentInput, CountAnswerRoundsHalvesToEvenAndSetsSidakAlpha) {
    struct Case {
        const char* answer;
        int count;
        double sidakAlpha;
    };
    const Case cases[] = {
        {"2", 2, 0.050000000000000044},
        {"2.5", 2, 0.050000000000000044},
        {"3 treatments", 3, 0.016952427508441503},
        {"3.5", 4, 0.008512444610847103},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        CartesianRun run;
        run.answerQuestions(false, false).answerCount(c.answer);
        run.answerFiles(writeTreatments(run, c.count)).answerReportCode();
        run.run();
        EXPECT_EQ(run.state().TreatmentCount, c.count);
        EXPECT_EQ(run.state().PairCount, c.count * (c.count - 1) / 2);
        EXPECT_EQ(run.state().SidakAlpha, c.sidakAlpha);
        EXPECT_EQ(run.state().OutputPrefix, "25A-Cartesian diff");
        EXPECT_EQ(run.state().LastTreatmentCode, 'C' + std::to_string(c.count));
    }
}

TEST(TreatmentInput, CountOutsideTwoToFourIsAskedAgain) {
    CartesianRun run;
    run.answerQuestions(false, false).answerCount("5");
    run.dialogs.answerMessage("Number of treatments", AnswerOk);
    run.answerCount("no idea");
    run.dialogs.answerMessage("Number of treatments", AnswerOk);
    run.answerCount("2").answerFiles(writeTreatments(run, 2)).answerReportCode();
    run.run();
    EXPECT_EQ(run.dialogs.shown[3].prompt, "The number of treatments must be 2, 3 or 4; \"5\" is not one of them.\n"
                                           "Please enter it again.");
    const auto& countBox = run.dialogs.shown[2];
    EXPECT_EQ(countBox.prompt, "Enter number of treatments");
    EXPECT_EQ(countBox.defaultText, "2");
    EXPECT_EQ(run.state().TreatmentCount, 2);
    EXPECT_TRUE(run.reportWritten());
}

TEST(TreatmentInput, ValueListEndsAtMinusOneOrAfterB) {
    struct Case {
        const char* label;
        std::vector<std::string> values;
        double orderingMean;
    };
    const Case cases[] = {
        {"end mark", {"1", "2", "3", "4", "-1"}, 2.5},
        {"file ends after B", {"1", "2", "3", "4"}, 2.5},
        {"end mark after value B + 1 is read", {"1", "2", "3", "4", "-1", "99"}, 2.5},
        // Value B + 1 counts in the ordering mean only.
        {"file ends right after value B + 1", {"1", "2", "3", "4", "10"}, 20.0 / 4},
        {"more values follow value B + 1", {"1", "2", "3", "4", "10", "abc", "x"}, 20.0 / 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CartesianRun run;
        auto first = run.folder.write("a.txt", treatmentText("A", "A", 4, c.values));
        auto second = run.folder.write("b.txt", treatmentText("B", "B", 4, {"0", "0", "0", "1"}));
        run.script({first, second});
        run.run();
        const AnalysisState& s = run.state();
        EXPECT_EQ(s.EntryMean[1], c.orderingMean);
        EXPECT_EQ(s.BootstrapNumber[1], 4);
        EXPECT_EQ(s.BootCount[1], 4);
        EXPECT_EQ(s.BootMean[1], 2.5);
        EXPECT_EQ(s.BootValueWork[1][4], 4);
    }
}

TEST(TreatmentInput, OrderingMeanWithValueBPlusOneDecidesTheNumbering) {
    // By its B values "a" has the smaller mean (1.5 against 5.5), but value
    // B + 1 lifts its ordering mean to 51.5, so it becomes treatment 1 and
    // the differences are taken as treatment 2 minus treatment 1.
    CartesianRun run;
    auto b = run.folder.write("b.txt", treatmentText("B", "B", 2, {"5", "6", "-1"}));
    auto a = run.folder.write("a.txt", treatmentText("A", "A", 2, {"1", "2", "100"}));
    run.script({b, a});
    run.run();
    const AnalysisState& s = run.state();
    EXPECT_EQ(s.TreatmentName[1], "A");
    EXPECT_EQ(s.BootMean[1], 1.5);
    EXPECT_EQ(s.DiffMean[1][2], 4);
    EXPECT_EQ(s.PercentileLower[1][2], 3);
    EXPECT_EQ(s.PercentileUpper[1][2], 5);
}

TEST(TreatmentInput, MaintainerTransformations) {
    struct Case {
        const char* choice;
        Transformation transformation;
        const char* value;
        double stored;
    };
    const Case cases[] = {
        {"1", Transformation::Arcsine, "0.25", 0.5235987755982989},
        {"1", Transformation::Arcsine, "0", 0},
        {"2", Transformation::Logit, "0.5", 0},
        {"0", Transformation::None, "0.25", 0.25},
        {"7", Transformation::None, "0.25", 0.25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.choice) + " " + c.value);
        CartesianRun run(true);
        run.answerQuestions(false, false).answerCount("2");
        run.dialogs.answerInput("Transformation?", c.choice);
        auto a = run.folder.write("a.txt", treatmentText("A", "A", 2, {c.value, "0.75", "-1"}));
        auto b = run.folder.write("b.txt", treatmentText("B", "B", 2, {"0.5", "0.5", "-1"}));
        run.answerFiles({a, b}).answerReportCode();
        run.run();
        const AnalysisState& s = run.state();
        EXPECT_EQ(s.Transformation, c.transformation);
        int slot = s.TreatmentName[1] == "A" ? 1 : 2;
        EXPECT_EQ(s.BootValue[slot][1], c.stored);
        const auto& box = run.dialogs.shown[5];
        EXPECT_EQ(box.prompt, "No transformation (0), Arcsine (1), or logit (2) transformation?");
        EXPECT_EQ(box.defaultText, "0");
    }
}

}  // namespace
}  // namespace cpt::testing
