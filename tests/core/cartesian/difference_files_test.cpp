// The six difference files of a pair, byte for byte.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "desktop_model/cartesian/difference_engine.h"
#include "core/report/difference_files.h"
#include "core/common/user_error.h"
#include "core/report/report_file_name.h"
#include "core/analysis/cartesian_run.h"
#include "support/cartesian_run.h"

namespace cpt::testing {
namespace {

// The six names of pair (i, j) of the run made.
std::array<std::string, 6> runFileNames(const CartesianRun& run, int i, int j) {
    const AnalysisState& state = run.context.state;
    return differenceFileNames(state.OutputPrefix, treatmentOf(run.result(), i).code, i, j,
                               state.DifferenceFileNumber);
}

TEST(DifferenceFiles, ExamplePairGivesTheSixFilesExactly) {
    CartesianRun run;
    run.script({fixture("kale_2_6.txt"), fixture("cabbage_1_5.txt")}, true);
    run.run();
    std::vector<std::string> expected;
    for (const auto& entry : std::filesystem::directory_iterator(fixture("differences"))) {
        expected.push_back(entry.path().filename());
    }
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> written = run.outputFiles();
    std::erase_if(written, [](const std::string& name) { return name.find(" results-") != std::string::npos; });
    EXPECT_EQ(written, expected);
    for (const std::string& name : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(readFile(run.folder.path() / name), readFile(fixture("differences") / name));
    }
    // The counts of the written route agree with the example.
    EXPECT_EQ(figuresOf(run.result(), 1, 2).significant, 2);
    EXPECT_EQ(figuresOf(run.result(), 1, 2).below, 1);
    EXPECT_EQ(figuresOf(run.result(), 1, 2).above, 1);
}

TEST(DifferenceFiles, PairWithoutSignificantDifferenceKeepsOnlyHeaders) {
    CartesianRun run;
    run.script({fixture("mustard_0_1_5.txt"), fixture("radish_1_3.txt")}, true);
    run.run();
    auto path = [&](const std::string& tag, const std::string& suffix) {
        return run.folder.path() / ("25A-Cartesian diff_" + tag + "-M-1 to 2_diff" + suffix);
    };
    EXPECT_EQ(readLines(path("7", "-SigA.txt")).size(), 9u);
    EXPECT_EQ(readLines(path("9", "-SigB.txt")).size(), 9u);
    // Unequal B: lines 3 and 5 use the first treatment's B; CPT is 3 x 2.
    std::vector<std::string> insignificant = readLines(path("11", "-inSigB.txt"));
    ASSERT_EQ(insignificant.size(), 15u);
    EXPECT_EQ(insignificant[2], "\"3 (actual number of insign. diff. can be less)\"");
    EXPECT_EQ(insignificant[4], "\"9 (actual number of insign. diff. can be less)\"");
    EXPECT_EQ(insignificant[5], "6");
    EXPECT_EQ(std::vector<std::string>(insignificant.begin() + 9, insignificant.end()),
              (std::vector<std::string>{"1,1", "2,3", "3,0", "4,2", "5,-4", "6,-2"}));
    std::vector<std::string> toObserved = readLines(path("6", " to mean diff.txt"));
    EXPECT_EQ(toObserved[3], "\"MR\"");
    EXPECT_EQ(toObserved.back(), "6,-2");
}

// A second run never replaces the first run's files: every file of the run
// takes the smallest " (n)" free for all of them.
TEST(DifferenceFiles, ALaterRunTakesOneFreeNumberForAllItsFiles) {
    CartesianRun first;
    first.script({fixture("kale_2_6.txt"), fixture("cabbage_1_5.txt")}, true);
    first.run();
    const std::vector<std::string> firstFiles = first.outputFiles();
    std::map<std::string, std::string> before;
    for (const std::string& name : firstFiles) before[name] = readFile(first.folder.path() / name);
    // Only the " (2)" of one file is taken as well: the whole run moves on to " (3)".
    first.folder.write("25A-Cartesian diff_11-A-1 to 2_diff-inSigB (2).txt", "mine");

    CartesianRun second;
    second.context.workingDirectory = first.folder.path();
    second.script({fixture("kale_2_6.txt"), fixture("cabbage_1_5.txt")}, true);
    second.run();
    ASSERT_FALSE(second.stopMessage());
    for (const auto& [name, text] : before) EXPECT_EQ(readFile(first.folder.path() / name), text) << name;
    EXPECT_EQ(readFile(first.folder.path() / "25A-Cartesian diff_11-A-1 to 2_diff-inSigB (2).txt"), "mine");
    for (const std::string& name : runFileNames(second, 1, 2)) {
        EXPECT_NE(name.find(" (3).txt"), std::string::npos) << name;
        EXPECT_EQ(readFile(first.folder.path() / name),
                  readFile(first.folder.path() / numberedFileName(name.substr(0, name.size() - 8) + ".txt", 1)))
            << name;
    }
}

// Codes from the data go into the names with "_" for what a name cannot hold;
// the files' text keeps them. A byte-order mark is no part of a name.
TEST(DifferenceFiles, CodesFromTheDataAreMadeFitForANameAndMarksSkipped) {
    CartesianRun run;
    const std::string bom = "\xEF\xBB\xBF";
    run.folder.write("a.txt", bom + treatmentText("dose 1/2", "L/D 16:8", 2, {"3", "5"}));
    run.folder.write("b.txt", bom + treatmentText("dose 1", "L:D", 2, {"1", "2"}));
    run.script({run.folder.path() / "a.txt", run.folder.path() / "b.txt"}, true);
    run.run();
    ASSERT_TRUE(run.reportWritten());
    const std::vector<std::string> all = readLines(run.folder.path() / "25A-Cartesian diff_5-L_D 16_8-1 to 2_diff-All (for N. sort).txt");
    ASSERT_GE(all.size(), 4u);
    EXPECT_EQ(all[0], "\"dose 1/2 vs dose 1\"");
    EXPECT_EQ(all[3], "\"L/D 16:8 vs L:D\"");
    EXPECT_EQ(run.result().treatments.at(0).name, "dose 1/2");
    const std::string report = readFile(run.folder.path() / run.state().OutputFileName);
    EXPECT_EQ(report.find(bom), std::string::npos);
    EXPECT_NE(run.state().OutputFileName.find(" results-L_D_"), std::string::npos) << run.state().OutputFileName;
}

// A run that stops before its pairs leaves the last run's difference files
// where they are: they belong to a finished report.
TEST(DifferenceFiles, ARunStoppedEarlyKeepsTheLastRunsFiles) {
    struct Case {
        const char* label;
        std::function<void(CartesianRun&)> stopEarly;
    };
    const Case cases[] = {
        {"pair too large to list declined",
         [](CartesianRun& run) {
             std::vector<std::string> values;
             for (int k = 0; k < 3001; ++k) values.push_back(std::to_string(k % 7));
             run.answerQuestions(true, false).answerCount("2");
             run.answerFiles({run.folder.write("big1.txt", treatmentText("A", "A", 3001, values)),
                              run.folder.write("big2.txt", treatmentText("B", "B", 3000, {values.begin(), values.end() - 1}))});
             run.dialogs.answerMessage("Difference files too large", AnswerNo);
             run.run();
             EXPECT_FALSE(run.stopMessage());
         }},
        {"treatment without enough bootstrap values",
         [](CartesianRun& run) {
             run.context.cartesianRun->treatments[1].values.resize(1);
             EXPECT_THROW(CartesianDifference2(run.context), UserError);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CartesianRun run;
        run.script({fixture("kale_2_6.txt"), fixture("cabbage_1_5.txt")}, true);
        run.run();
        ASSERT_FALSE(run.stopMessage());
        const std::array<std::string, 6> files = runFileNames(run, 1, 2);
        c.stopEarly(run);
        for (const std::string& name : files) {
            EXPECT_EQ(readFile(run.folder.path() / name), readFile(fixture("differences") / name)) << name;
        }
    }
}

}  // namespace
}  // namespace cpt::testing
