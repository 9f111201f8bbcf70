#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "app/dedication_window.h"
#include "app/desktop_application.h"
#include "app/main_window_widget.h"
#include "support/cartesian_run.h"
#include "support/scripted_dialogs.h"
#include "support/test_clock.h"
#include "support/test_files.h"

namespace cpt::app {
namespace {

struct Desktop {
    explicit Desktop(bool maintainer = false) : application(dialogs, clock, maintainer) {}
    QPushButton* button(const char* name) { return qobject_cast<QPushButton*>(application.mainWindow().widget(name)); }
    QLabel* label(const char* name) { return qobject_cast<QLabel*>(application.mainWindow().widget(name)); }

    cpt::testing::ScriptedDialogs dialogs;
    cpt::testing::TestClock clock;
    DesktopApplication application;
};

TEST(DesktopWindow, WidgetsShowTheStartUpState) {
    Desktop desktop;
    MainWindowWidget& window = desktop.application.mainWindow();
    EXPECT_TRUE(window.isVisible());
    ASSERT_NE(desktop.button("cmdCartesianDifference"), nullptr);
    EXPECT_EQ(desktop.button("cmdCartesianDifference")->text(), "Q. CartesianPT");
    EXPECT_TRUE(desktop.button("cmdCartesianDifference")->isEnabled());
    EXPECT_FALSE(desktop.button("cmdGeneralNormalTest")->isEnabled());
    EXPECT_FALSE(desktop.button("Command1")->isEnabled());
    EXPECT_TRUE(desktop.label("Label12")->text().contains("(B =3000, CPT =9000000, 3 treatments)"));
    EXPECT_EQ(window.windowTitle(),
              "Life table is the key to population ecology, pest management, and biological control");
}

TEST(DesktopWindow, TickShowsTheClockAndTheGreeting) {
    Desktop desktop;
    desktop.application.tick();
    EXPECT_EQ(desktop.label("Label6")->text(), "2026-12-09 22:32:02");
    EXPECT_EQ(desktop.label("Label13")->text(), "How do you do?");
}

TEST(DesktopWindow, MaintainerClockClickThenQuitShowsTheDedication) {
    Desktop desktop(true);
    QTest::mouseClick(desktop.label("Label6"), Qt::LeftButton);
    EXPECT_TRUE(desktop.button("Command1")->isEnabled());
    EXPECT_TRUE(desktop.button("cmdGeneralNormalTest")->isEnabled());

    desktop.button("Command1")->click();
    EXPECT_FALSE(desktop.application.mainWindow().isVisible());
    DedicationWindow& dedication = desktop.application.dedicationWindow();
    EXPECT_TRUE(dedication.isVisible());
    EXPECT_EQ(dedication.windowTitle(), "Dedication");
    EXPECT_FALSE(dedication.button()->text().isEmpty());
}

TEST(DesktopWindow, ClockClickOutsideMaintainerModeChangesNothing) {
    Desktop desktop;
    QTest::mouseClick(desktop.label("Label6"), Qt::LeftButton);
    EXPECT_TRUE(desktop.application.mainWindow().isVisible());
    EXPECT_FALSE(desktop.button("Command1")->isEnabled());
}

}  // namespace
}  // namespace cpt::app

namespace cpt::app {
namespace {

TEST(DesktopWindow, CartesianRunFillsTheGridWidget) {
    Desktop desktop;
    cpt::testing::TempFolder folder;
    desktop.application.context().workingDirectory = folder.path();
    const std::string examples = std::string(CPT_SOURCE_DIR) + "/examples/";
    cpt::testing::scriptPlainRun(desktop.dialogs, {examples + "Wheat.txt", examples + "Maize.txt"});
    desktop.button("cmdCartesianDifference")->click();
    EXPECT_TRUE(desktop.dialogs.allAnswered());

    auto* grid = qobject_cast<QTableWidget*>(desktop.application.mainWindow().widget("MSFlexGrid1"));
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->isVisible());
    ASSERT_EQ(grid->rowCount(), 3);
    ASSERT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->item(0, 1)->text(), "Maize");  // the larger mean comes first
    EXPECT_EQ(grid->item(1, 1)->text(), " ----");
    const GridModel& model = desktop.application.context().window.grid;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(grid->item(row, column)->text().toStdString(), model.text(row, column));
        }
    }
    // A pair's cell names its pair; the names and the diagonal have none.
    EXPECT_EQ(grid->item(1, 2)->toolTip(), grid->item(1, 0)->text() + " / " + grid->item(0, 2)->text());
    EXPECT_EQ(grid->item(2, 1)->toolTip(), grid->item(2, 0)->text() + " / " + grid->item(0, 1)->text());
    EXPECT_EQ(grid->item(0, 1)->toolTip(), "");
    EXPECT_EQ(grid->item(1, 1)->toolTip(), "");
    EXPECT_FALSE(desktop.label("Label2")->isVisible());
    EXPECT_EQ(folder.files().size(), 1u);
}

}  // namespace
}  // namespace cpt::app

namespace cpt::app {
namespace {

TEST(DesktopWindow, DoubleClickOnTheSayingEndsOnItsFixedSaying) {
    Desktop desktop;
    QTest::mouseClick(desktop.label("Image1"), Qt::LeftButton);  // the reveal
    QLabel* saying = desktop.label("Label4");
    ASSERT_TRUE(saying->isVisible());
    for (int round = 0; round < 5; ++round) {
        // What a real double-click delivers: press, release, double-click, release.
        QTest::mouseClick(saying, Qt::LeftButton);
        QTest::mouseDClick(saying, Qt::LeftButton);
        QTest::mouseRelease(saying, Qt::LeftButton);
        EXPECT_EQ(saying->text().toStdString(), desktop.application.context().state.Sayings[26]);
    }
}

}  // namespace
}  // namespace cpt::app
