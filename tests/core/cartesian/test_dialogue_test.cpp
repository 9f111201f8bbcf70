// The questions of the button "Q. CartesianPT" and the flow record.
#include <gtest/gtest.h>

#include "desktop_model/state/control_names.h"
#include "support/cartesian_run.h"
#include "desktop_model/cartesian/test_dialogue.h"

namespace cpt::testing {
namespace {

const std::string DetailedPrompt =
    "Do you need detailed differences between treatments and normal density curves?\n"
    "   This option is useful to teachers to show the normal curve.\n"
    "   If you are comparing more treatments, there will be many files.\n\n"
    "Yes: Write detailed differences between treatments and normal density curves.\n"
    "No: Don't write detailed differences between treatments.\n";

TEST(TestDialogue, OrdinaryRunAsksTwoYesNoQuestionsThenTheInput) {
    CartesianRun run;
    run.script({fixture("kale_2_6.txt"), fixture("cabbage_1_5.txt")}, false, true);
    run.run();
    const auto& shown = run.dialogs.shown;
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown[0].title, "Detailed differences");
    EXPECT_EQ(shown[0].prompt, DetailedPrompt);
    EXPECT_EQ(shown[0].buttons, ButtonSet::YesNo);
    EXPECT_EQ(shown[1].title, "Reversed sort");
    EXPECT_EQ(shown[1].prompt, "Do you want to do reversed sort?");
    EXPECT_EQ(shown[1].buttons, ButtonSet::YesNo);
    EXPECT_EQ(shown[2].title, CountTitle);
    const AnalysisState& s = run.state();
    EXPECT_TRUE(s.CartesianRun);
    EXPECT_TRUE(s.ReversedSort);
    EXPECT_FALSE(s.DetailedDifferences);
    EXPECT_FALSE(s.FlowRecord);
    EXPECT_EQ(run.result().treatments.at(0).name, "Cabbage");  // ascending on reversed sort
    const ControlModel& window = run.context.window;
    EXPECT_FALSE(window[control::Image1].visible);
    EXPECT_TRUE(window[control::Label4].visible);
    EXPECT_FALSE(window[control::cmdReadDataA1].enabled);
    EXPECT_FALSE(window[control::cmdReadNandF].enabled);
    EXPECT_TRUE(window[control::cmdCartesianDifference].enabled);
}

TEST(TestDialogue, MaintainerDetailInfoPromptAndItsNo) {
    CartesianRun run(true);
    run.dialogs.answerMessage("Do you need detailed info?", AnswerNo);
    run.dialogs.answerMessage("Reversed sort", AnswerNo);
    run.answerCount("2");
    run.dialogs.answerInput("Transformation?", "0");
    run.answerFiles({fixture("kale_2_6.txt"), fixture("cabbage_1_5.txt")}).answerReportCode();
    run.run();
    EXPECT_EQ(run.dialogs.shown[0].prompt,
              "Do you need the detailed info?\n"
              "In general you can choose \"No\". If you choose \"Yes\", there will be many huge files.\n\n"
              "Attention: this is only for results of B =3000, and CPT =9000000");
    EXPECT_TRUE(run.state().DetailInfoDeclined);
    EXPECT_FALSE(run.state().DetailedDifferences);
    EXPECT_FALSE(run.state().FlowRecord);

    // A later Yes asks the detailed-differences question again.
    run.answerQuestions(false, false);
    run.answerCount("2");
    run.dialogs.answerInput("Transformation?", "0");
    run.answerFiles({fixture("kale_2_6.txt"), fixture("cabbage_1_5.txt")}).answerReportCode();
    run.run();
    EXPECT_FALSE(run.state().DetailInfoDeclined);
}

void scriptMaintainerRun(CartesianRun& run, const std::vector<std::filesystem::path>& files) {
    run.answerQuestions(false, false, true);
    run.answerCount(std::to_string(files.size()));
    run.dialogs.answerInput("Transformation?", "0");
    run.answerFiles(files).answerReportCode();
}

TEST(TestDialogue, FlowRecordTracesTheEngineAndEachSortPlace) {
    CartesianRun run(true);
    const std::vector<std::filesystem::path> three = {fixture("mean_010.txt"), fixture("mean_030.txt"),
                                                      fixture("mean_020.txt")};
    scriptMaintainerRun(run, three);
    run.run();
    run.context.closeAllFiles();  // the record stays open until quit
    // Before any analysis the prefix is empty.
    EXPECT_EQ(run.state().FlowFileName, "_0_Flow.txt");
    std::vector<std::string> lines = readLines(run.folder.path() / "_0_Flow.txt");
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
              (std::vector<std::string>{"Sub CartesianDifference2", "Sub QuickSort", "Sub QuickSort",
                                        "Sub QuickSort"}));
    for (const std::string& line : lines) EXPECT_TRUE(line.starts_with("Sub ")) << line;

    // The second run records under the prefix the first run left; after a
    // sort-and-count the sort places are no longer traced.
    run.state().SortAndCountRun = true;
    scriptMaintainerRun(run, three);
    run.run();
    EXPECT_TRUE(run.state().FlowRecord);
    run.context.closeAllFiles();
    EXPECT_EQ(run.state().FlowFileName, "25A-Cartesian diff_0_Flow.txt");
    lines = readLines(run.folder.path() / "25A-Cartesian diff_0_Flow.txt");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "Sub CartesianDifference2");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Sub QuickSort"), 0);
}

}  // namespace
}  // namespace cpt::testing
