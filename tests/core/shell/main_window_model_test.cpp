#include "desktop_model/shell/main_window_model.h"
#include "desktop_model/state/button_states.h"
#include "desktop_model/state/control_names.h"

#include <gtest/gtest.h>

#include <set>

#include "desktop_model/state/main_window_controls.h"
#include "support/app_fixture.h"

namespace cpt {
namespace {

using testing::AppFixture;

std::vector<std::string> enabledButtons(const AppContext& context) {
    std::vector<std::string> names;
    for (std::string_view name : ButtonList) {
        if (context.window.named(name).enabled) names.emplace_back(name);
    }
    for (const char* name : {"cmdGeneralNormalTest", "Command2"}) {
        if (context.window.named(name).enabled) names.emplace_back(name);
    }
    return names;
}

TEST(MainWindow, ButtonListHoldsEightyDistinctButtons) {
    std::set<std::string_view> names(ButtonList.begin(), ButtonList.end());
    EXPECT_EQ(names.size(), 80u);
    EXPECT_TRUE(names.count("cmdCartesianDifference"));
    EXPECT_TRUE(names.count("Command1"));
    EXPECT_FALSE(names.count("cmdGeneralNormalTest"));
    EXPECT_FALSE(names.count("Command2"));
}

TEST(MainWindow, StartUpLeavesOnlyTheCartesianButtonEnabled) {
    AppFixture app;
    LoadMainWindow(app.context);
    const ControlModel& window = app.context.window;
    EXPECT_EQ(enabledButtons(app.context), std::vector<std::string>{"cmdCartesianDifference"});
    EXPECT_EQ(window[control::cmdCartesianDifference].caption, "Q. CartesianPT");
    EXPECT_EQ(window[control::cmdGeneralNormalTest].caption, "N. Sort, norm.  ");
    EXPECT_TRUE(window[control::Frame1].enabled);
    EXPECT_TRUE(window[control::Frame4].enabled);
    EXPECT_TRUE(window[control::Frame6].enabled);
    EXPECT_FALSE(window[control::Frame5].enabled);
    EXPECT_TRUE(window[control::Form1].visible);
    EXPECT_FALSE(window[control::Vater].visible);
    EXPECT_TRUE(window[control::Image1].visible);
    EXPECT_FALSE(window[control::Label2].visible);
    EXPECT_FALSE(window[control::Label4].visible);
    EXPECT_FALSE(window[control::Label14].visible);
    EXPECT_FALSE(window[control::MSChart1].visible);
    EXPECT_TRUE(window[control::Command2].visible);
    EXPECT_EQ(window[control::Label6].toolTip, "Introduction");
    EXPECT_EQ(window[control::Command1].toolTip, "Quit this program");
}

TEST(MainWindow, EditionConstantsAndTitleBlock) {
    AppFixture app;
    LoadMainWindow(app.context);
    const AnalysisState& state = app.context.state;
    EXPECT_EQ(state.MaxBootstrapNumber, 3000);
    EXPECT_EQ(state.MaxCartesianProducts, 9000000);
    EXPECT_EQ(state.StatedMaxTreatments, 3);
    EXPECT_EQ(state.EditionLabel, "KORVAL-MSChart-CartesianPT only");
    EXPECT_EQ(state.VersionText, "Ver. 04/01/2023");
    EXPECT_EQ(state.EditionSummary, "(B =3000, CPT =9000000, 3 treatments)");
    const Control& title = app.context.window[control::Label12];
    std::string caption = title.caption;
    std::size_t firstBreak = caption.find('\n');
    ASSERT_NE(firstBreak, std::string::npos);
    EXPECT_EQ(caption.substr(firstBreak), "\nCartesian Paired Test Only\n(B =3000, CPT =9000000, 3 treatments)");
    EXPECT_EQ(title.fontSize, 18);
    EXPECT_EQ(title.backColor, (Rgb{128, 64, 0}));
    EXPECT_EQ(title.foreColor, (Rgb{255, 255, 0}));
    std::string authorship = app.context.window[control::Label1].caption;
    EXPECT_EQ(authorship.substr(authorship.size() - state.VersionText.size()), state.VersionText);
    EXPECT_TRUE(state.StartupRevealPending);
    EXPECT_EQ(state.StartupTime, app.clock.now());
}

TEST(MainWindow, ReEnableRequestOnlyInMaintainerMode) {
    AppFixture ordinary;
    LoadMainWindow(ordinary.context);
    Label6_Click(ordinary.context);
    EXPECT_EQ(enabledButtons(ordinary.context), std::vector<std::string>{"cmdCartesianDifference"});
    EXPECT_TRUE(ordinary.context.window[control::Form1].visible);

    AppFixture maintainer(true);
    LoadMainWindow(maintainer.context);
    Label6_Click(maintainer.context);
    EXPECT_EQ(enabledButtons(maintainer.context).size(), 81u);
    const ControlModel& window = maintainer.context.window;
    EXPECT_TRUE(window[control::Frame1].enabled && window[control::Frame4].enabled && window[control::Frame5].enabled);
    EXPECT_TRUE(window[control::Frame6].enabled);

    // A later run disables them again, Quit included, and keeps its own button.
    DisableAllButtonsForCartesian(maintainer.context);
    EXPECT_EQ(enabledButtons(maintainer.context),
              (std::vector<std::string>{"cmdCartesianDifference", "cmdGeneralNormalTest"}));
    EXPECT_FALSE(window[control::Command1].enabled);
    EXPECT_FALSE(window[control::Frame1].enabled);
    EXPECT_FALSE(window[control::Frame5].enabled);
}

TEST(MainWindow, QuitClosesEveryFileAndShowsTheDedication) {
    AppFixture app(true);
    LoadMainWindow(app.context);
    app.context.flowFile.open(app.folder.path() / "_0_Flow.txt");
    app.context.state.FlowRecord = true;
    app.context.trace("CartesianDifference2");
    // A maintainer can read the record while the program still runs.
    EXPECT_EQ(testing::readFile(app.folder.path() / "_0_Flow.txt"), "Sub CartesianDifference2\r\n");

    Command1_Click(app.context);
    EXPECT_FALSE(app.context.flowFile.isOpen());
    EXPECT_EQ(testing::readFile(app.folder.path() / "_0_Flow.txt"), "Sub CartesianDifference2\r\n");
    EXPECT_FALSE(app.context.window[control::Form1].visible);
    EXPECT_TRUE(app.context.window[control::Vater].visible);
    EXPECT_EQ(app.context.window[control::Vater].caption, "Dedication");
    EXPECT_FALSE(app.context.window[control::Vater_Command1].caption.empty());
    EXPECT_FALSE(app.context.window.exitRequested());

    Vater_Command1_Click(app.context);
    EXPECT_TRUE(app.context.window.exitRequested());
}

TEST(MainWindow, FlowRecordThatCannotBeWrittenIsReportedAtQuit) {
    AppFixture app(true);
    LoadMainWindow(app.context);
    app.context.flowFile.open("/dev/full");
    app.context.state.FlowRecord = true;
    app.context.flowFile.write("Sub CartesianDifference2\r\n");  // not yet pushed to the system
    app.dialogs.answerMessage("The flow record file cannot be written", AnswerOk);
    Command1_Click(app.context);
    EXPECT_TRUE(app.dialogs.allAnswered());
    EXPECT_NE(app.dialogs.shown.back().prompt.find("\"/dev/full\" could not be written completely"), std::string::npos)
        << app.dialogs.shown.back().prompt;
    EXPECT_FALSE(app.context.flowFile.isOpen());
    EXPECT_FALSE(app.context.state.FlowRecord);
    EXPECT_TRUE(app.context.window[control::Vater].visible);
}

TEST(MainWindow, ClosingTheMainWindowEndsAtOnce) {
    AppFixture app;
    LoadMainWindow(app.context);
    Form1_Close(app.context);
    EXPECT_TRUE(app.context.window.exitRequested());
    EXPECT_FALSE(app.context.window[control::Vater].visible);
}

}  // namespace
}  // namespace cpt
