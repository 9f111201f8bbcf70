// The count of treatments, the end of a value list, the ordering mean and the
// maintainer's transformations.
#include <gtest/gtest.h>

#include "core/analysis/cartesian_run.h"
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
        {"5", 5, 0.005116196891823743},
        {"10", 10, 0.0011392016030112861},
        {"26", 26, 0.00015781306740003664},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        CartesianRun run;
        run.answerQuestions(false, false).answerCount(c.answer);
        run.answerFiles(writeTreatments(run, c.count)).answerReportCode();
        run.run();
        EXPECT_EQ(run.state().TreatmentCount, c.count);
        EXPECT_EQ(run.result().pairs.size(), static_cast<std::size_t>(c.count * (c.count - 1) / 2));
        EXPECT_EQ(run.result().sidakAlpha, c.sidakAlpha);
        EXPECT_EQ(run.state().OutputPrefix, "25A-Cartesian diff");
        EXPECT_EQ(run.state().LastTreatmentCode, 'C' + std::to_string(c.count));
    }
}

TEST(TreatmentInput, CountOutsideTwoToTwentySixIsAskedAgain) {
    CartesianRun run;
    run.answerQuestions(false, false).answerCount("27");
    run.dialogs.answerMessage("Number of treatments", AnswerOk);
    run.answerCount("no idea");
    run.dialogs.answerMessage("Number of treatments", AnswerOk);
    run.answerCount("2").answerFiles(writeTreatments(run, 2)).answerReportCode();
    run.run();
    EXPECT_EQ(run.dialogs.shown[3].prompt,
              "The number of treatments must be a whole number from 2 to 26; \"27\" is not.\n"
              "Please enter it again.");
    EXPECT_EQ(run.dialogs.shown[5].prompt,
              "The number of treatments must be a whole number from 2 to 26; \"no idea\" is not.\n"
              "Please enter it again.");
    const auto& countBox = run.dialogs.shown[2];
    EXPECT_EQ(countBox.prompt, "Enter number of treatments");
    EXPECT_EQ(countBox.defaultText, "2");
    EXPECT_EQ(run.state().TreatmentCount, 2);
    EXPECT_TRUE(run.reportWritten());
}

std::vector<std::string> asStrings(const std::vector<std::filesystem::path>& files, std::size_t from, std::size_t to) {
    std::vector<std::string> paths;
    for (std::size_t k = from; k < to; ++k) paths.push_back(files[k].string());
    return paths;
}

TEST(TreatmentInput, SeveralFilesChosenAtOnceFillTheNextTreatments) {
    CartesianRun run;
    const std::vector<std::filesystem::path> files = writeTreatments(run, 5);
    // Chosen in another order than written: entry order is the order chosen.
    run.answerQuestions(false, false).answerCount("5");
    run.dialogs.answerOpenFiles("Input treatment 1", {files[2].string(), files[0].string(), files[4].string()});
    run.dialogs.answerOpenFile("Input treatment 4", files[1].string());
    run.dialogs.answerOpenFiles("Input treatment 5", {files[3].string()});
    run.answerReportCode();
    run.run();
    const AnalysisState& s = run.state();
    const std::vector<std::filesystem::path> entered{files[2], files[0], files[4], files[1], files[3]};
    for (int t = 1; t <= 5; ++t) EXPECT_EQ(s.TreatmentFile[t], entered[static_cast<std::size_t>(t - 1)].string());
    EXPECT_EQ(s.LastTreatmentCode, "C4");
    EXPECT_TRUE(run.reportWritten());
}

TEST(TreatmentInput, MoreFilesThanTreatmentsLeftAreAskedForAgain) {
    CartesianRun run;
    const std::vector<std::filesystem::path> files = writeTreatments(run, 4);
    run.answerQuestions(false, false).answerCount("3");
    run.dialogs.answerOpenFile("Input treatment 1", files[0].string());
    run.dialogs.answerOpenFiles("Input treatment 2", asStrings(files, 1, 4));
    run.dialogs.answerMessage("Too many files", AnswerOk);
    run.dialogs.answerOpenFiles("Input treatment 2", asStrings(files, 1, 3));
    run.answerReportCode();
    run.run();
    EXPECT_EQ(run.dialogs.shown[5].prompt,
              "3 files were chosen, but only 2 treatments are left (2 to 3).\nPlease choose at most 2.");
    EXPECT_EQ(run.state().TreatmentFile[3], files[2].string());
    EXPECT_TRUE(run.reportWritten());
}

TEST(TreatmentInput, CancelledChoiceOfSeveralFilesStopsQuietly) {
    CartesianRun run;
    const std::vector<std::filesystem::path> files = writeTreatments(run, 2);
    run.answerQuestions(false, false).answerCount("6");
    run.dialogs.answerOpenFiles("Input treatment 1", asStrings(files, 0, 2));
    run.dialogs.answerOpenFiles("Input treatment 3", {});
    run.run();
    EXPECT_FALSE(run.stopMessage());
    EXPECT_TRUE(run.outputFiles().empty());
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
    const CartesianResult& r = run.result();
        EXPECT_EQ(treatmentOf(r, 1).orderingMean, c.orderingMean);
        EXPECT_EQ(run.context.cartesianRun->treatments.at(0).values.size(), 4u);
        EXPECT_EQ(treatmentOf(r, 1).bootstrapNumber, 4);
        EXPECT_EQ(treatmentOf(r, 1).mean, 2.5);
        EXPECT_EQ(valuesAt(run.context, 1)[3], 4);
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
    const CartesianResult& r = run.result();
    EXPECT_EQ(treatmentOf(r, 1).name, "A");
    EXPECT_EQ(treatmentOf(r, 1).mean, 1.5);
    EXPECT_EQ(figuresOf(r, 1, 2).mean, 4);
    EXPECT_EQ(figuresOf(r, 1, 2).percentileLower, 3);
    EXPECT_EQ(figuresOf(r, 1, 2).percentileUpper, 5);
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
        int slot = run.result().treatments.at(0).name == "A" ? 1 : 2;
        EXPECT_EQ(valuesAt(run.context, slot)[0], c.stored);
        const auto& box = run.dialogs.shown[5];
        EXPECT_EQ(box.prompt, "No transformation (0), Arcsine (1), or logit (2) transformation?");
        EXPECT_EQ(box.defaultText, "0");
    }
}

}  // namespace
}  // namespace cpt::testing
