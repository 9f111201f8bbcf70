#include "desktop_model/sorting/normality_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "desktop_model/state/control_names.h"
#include "support/sort_count_script.h"
#include "support/app_fixture.h"

namespace cpt {
namespace {

using testing::FrequencyTitle;
using testing::scriptRun;
using testing::scriptStart;

// Both charts start hidden, as the main window's start-up leaves them.
void hideCharts(testing::AppFixture& app) {
    app.context.window[control::MSChart1].visible = false;
    app.context.window[control::MSChart2].visible = false;
}

class NormalityViewTest : public ::testing::Test {
protected:
    NormalityViewTest() { hideCharts(app); }
    // A general file with the whole numbers 1..classes, each once.
    std::filesystem::path generalFile(int classes) {
        std::string contents = "P1,0,A1\n";
        for (int value = 1; value <= classes; ++value) contents += std::to_string(value) + "\n";
        return app.folder.write("data.txt", contents);
    }
    bool chartShown() { return app.context.window[control::MSChart1].visible; }
    void click() {
        cmdGeneralNormalTest_Click(app.context);
        EXPECT_TRUE(app.dialogs.allAnswered());
    }

    testing::AppFixture app;
    ControlModel& window = app.context.window;
};

TEST_F(NormalityViewTest, GeneralCountShowsItsChartAndAsks) {
    window[control::MSChart2].visible = true;
    scriptRun(app.dialogs, AnswerYes, false, app.folder.write("data.txt", "P1, 0, A1, 5, 3, 5, -1, 7"));
    app.dialogs.answerMessage(FrequencyTitle, AnswerNo);
    click();

    EXPECT_TRUE(chartShown());
    EXPECT_FALSE(window[control::MSChart2].visible);
    EXPECT_EQ(app.dialogs.shown.back().prompt, "Do you want to see the frequency distribution?");
    EXPECT_EQ(app.dialogs.shown.back().buttons, ButtonSet::YesNo);
    EXPECT_EQ(window.chart.title, "P1 A1");
    EXPECT_EQ(window.chart.classValues, (std::vector<double>{3, 5}));
    EXPECT_EQ(window.chart.classCounts, (std::vector<double>{1, 2}));
    EXPECT_DOUBLE_EQ(window.chart.mean, 13.0 / 3);
    EXPECT_DOUBLE_EQ(window.chart.standardDeviation, std::sqrt(4.0 / 3));
}

TEST_F(NormalityViewTest, YesDisablesTheNamedButtons) {
    struct Case {
        int kind;
        int answer;
        std::vector<bool> enabled;  // Command2, Command3, Command5, Command6
    };
    const std::vector<Case> cases = {
        {AnswerYes, AnswerYes, {false, false, true, true}},
        {AnswerNo, AnswerYes, {false, false, false, false}},
        {AnswerNo, AnswerNo, {true, true, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind * 10 + c.answer);
        testing::AppFixture fresh;
        const std::string contents = c.kind == AnswerYes ? "P,0,A,1,2" : testing::bootstrapHeading(2) + "1,2";
        scriptRun(fresh.dialogs, c.kind, false, fresh.folder.write("d.txt", contents));
        fresh.dialogs.answerMessage(FrequencyTitle, c.answer);
        const char* const names[] = {"Command2", "Command3", "Command5", "Command6"};
        for (const char* name : names) fresh.context.window.named(name).enabled = true;  // as after a re-enable
        cmdGeneralNormalTest_Click(fresh.context);
        std::vector<bool> enabled;
        for (const char* name : names) {
            enabled.push_back(fresh.context.window.named(name).enabled);
        }
        EXPECT_EQ(enabled, c.enabled);
        if (c.kind == AnswerNo) {
            EXPECT_EQ(fresh.context.window.chart.title, "Name (C1)");
        }
    }
}

TEST_F(NormalityViewTest, PairedTestResultsAreCountedWithoutChartOrQuestion) {
    scriptRun(app.dialogs, AnswerCancel, false,
              app.folder.write("data.txt", "Name,0,12,0,2,C9,10,1.5,x,y\n4\n6\n"));
    click();
    EXPECT_FALSE(chartShown());
    EXPECT_EQ(app.context.state.ClassTotal, 2);
    EXPECT_TRUE(window.chart.classValues.empty());
}

TEST_F(NormalityViewTest, ChartOnlyUpToThirtyThousandClasses) {
    scriptRun(app.dialogs, AnswerYes, false, generalFile(30000));
    app.dialogs.answerMessage(FrequencyTitle, AnswerNo);
    click();
    EXPECT_TRUE(chartShown());
    EXPECT_EQ(window.chart.classValues.size(), 30000u);

    testing::AppFixture more;
    hideCharts(more);
    scriptRun(more.dialogs, AnswerYes, false, more.folder.write("d.txt", [] {
                  std::string contents = "P,0,A\n";
                  for (int value = 1; value <= 30001; ++value) contents += std::to_string(value) + "\n";
                  return contents;
              }()));
    cmdGeneralNormalTest_Click(more.context);
    EXPECT_TRUE(more.dialogs.allAnswered());
    EXPECT_FALSE(more.context.window[control::MSChart1].visible);
    EXPECT_EQ(more.context.state.ClassTotal, 30001);
}

TEST_F(NormalityViewTest, WithoutANewCountTheChartKeepsItsData) {
    // At start there is no class table: a cancelled choice shows no chart and asks nothing.
    scriptStart(app.dialogs, AnswerYes, false, std::nullopt);
    click();
    EXPECT_FALSE(chartShown());
    EXPECT_TRUE(window.chart.classValues.empty());

    scriptRun(app.dialogs, AnswerYes, false, generalFile(3));
    app.dialogs.answerMessage(FrequencyTitle, AnswerNo);
    click();
    ASSERT_EQ(window.chart.classValues.size(), 3u);

    // A cancelled choice of another kind leaves the chart of the last count.
    scriptStart(app.dialogs, AnswerNo, false, std::nullopt);
    click();
    EXPECT_EQ(window.chart.title, "P1 A1");
    EXPECT_EQ(window.chart.classValues.size(), 3u);
}

// Cancel on the file dialogue or the decimal box ends the click: no question,
// no chart, nothing disabled, no files.
TEST_F(NormalityViewTest, CancelledFileOrDecimalBoxEndsTheClickQuietly) {
    const std::filesystem::path file = generalFile(3);
    for (const bool atDecimals : {false, true}) {
        SCOPED_TRACE(atDecimals ? "decimal box" : "file dialogue");
        hideCharts(app);
        scriptStart(app.dialogs, AnswerYes, false, atDecimals ? std::optional(file) : std::nullopt);
        if (atDecimals) app.dialogs.answerInput(testing::DecimalTitle, std::nullopt);
        const ControlModel before = window;
        click();
        EXPECT_FALSE(chartShown());
        for (const char* name : {"Command2", "Command3", "Command5", "Command6"}) {
            EXPECT_EQ(window.named(name).enabled, before.named(name).enabled) << name;
        }
        EXPECT_EQ(app.folder.files(), std::vector<std::string>{"data.txt"});
    }
}

TEST_F(NormalityViewTest, UnusableFileIsToldAndEndsTheClick) {
    scriptStart(app.dialogs, AnswerNo, false, app.folder.write("data.txt", "Name,0,10"));
    app.dialogs.answerMessage(testing::KindTitle, AnswerOk);
    click();
    EXPECT_TRUE(app.dialogs.allAnswered());
    EXPECT_FALSE(chartShown());
    const auto& complaint = app.dialogs.shown[3];
    EXPECT_NE(complaint.prompt.find("data.txt\" cannot be used: it ends at field 4"), std::string::npos)
        << complaint.prompt;
    EXPECT_EQ(app.folder.files(), std::vector<std::string>{"data.txt"});
}

}  // namespace
}  // namespace cpt
