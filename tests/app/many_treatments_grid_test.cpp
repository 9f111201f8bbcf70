// The overview grid of runs beyond four treatments on a 1366 x 768 window:
// every cell of the model in the widget, every column wide enough for its
// numbers and the words of its names; at six treatments nothing scrolls. With CPT_SCREENSHOT_DIR set, the window is saved there for the eye.
#include <QFontMetrics>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "app/desktop_application.h"
#include "app/main_window_widget.h"
#include "support/scripted_dialogs.h"
#include "support/test_clock.h"
#include "support/test_files.h"

namespace cpt::app {
namespace {

std::vector<std::string> writeHosts(const cpt::testing::TempFolder& folder, int count) {
    std::mt19937 generator(static_cast<unsigned>(count));
    std::normal_distribution<double> noise(0, 0.01);
    std::vector<std::string> paths;
    for (int t = 1; t <= count; ++t) {
        const double centre = 0.15 + 0.004 * ((t * 7) % count);
        std::string text = "\"Host plant " + std::to_string(t) + "\",\"Sample size\",40,\"Bootstrap number\",200,\"r\",40," +
                           std::to_string(centre) + "\r\n";
        for (int k = 0; k < 200; ++k) {
            char value[32];
            std::snprintf(value, sizeof value, "%.6f\r\n", centre + noise(generator));
            text += value;
        }
        paths.push_back(folder.write("host" + std::to_string(t) + ".txt", text + "-1\r\n").string());
    }
    return paths;
}

TEST(ManyTreatmentsGrid, FitsItsTextAtSixAndTenTreatments) {
    for (int count : {6, 10}) {
        SCOPED_TRACE(::testing::Message() << count << " treatments");
        cpt::testing::ScriptedDialogs dialogs;
        cpt::testing::TestClock clock;
        DesktopApplication application(dialogs, clock, false);
        MainWindowWidget& window = application.mainWindow();
        window.resize(1366, 768);
        cpt::testing::TempFolder folder;
        application.context().workingDirectory = folder.path();
        // All files chosen in the first dialogue.
        dialogs.answerMessage("Detailed differences", AnswerNo)
            .answerMessage("Reversed sort", AnswerNo)
            .answerInput("Read data file one by one for paired comparison using Cartesian Product",
                         std::to_string(count))
            .answerOpenFiles("Input treatment 1", writeHosts(folder, count))
            .answerInput("Add a code to the output filename?", "1");
        qobject_cast<QPushButton*>(window.widget("cmdCartesianDifference"))->click();
        ASSERT_TRUE(dialogs.allAnswered());

        auto* grid = qobject_cast<QTableWidget*>(window.widget("MSFlexGrid1"));
        ASSERT_NE(grid, nullptr);
        ASSERT_TRUE(grid->isVisible());
        ASSERT_EQ(grid->rowCount(), count + 1);
        ASSERT_EQ(grid->columnCount(), count + 1);
        const GridModel& model = application.context().window.grid;
        const QFontMetrics metrics(grid->font());
        for (int row = 0; row <= count; ++row) {
            for (int column = 0; column <= count; ++column) {
                const QTableWidgetItem* item = grid->item(row, column);
                ASSERT_NE(item, nullptr);
                EXPECT_EQ(item->text().toStdString(), model.text(row, column));
                // Numbers whole on one line; names at least word by word.
                const bool name = row == 0 || column == 0;
                for (const QString& part : name ? item->text().split(' ') : QStringList{item->text()}) {
                    EXPECT_GE(grid->columnWidth(column), metrics.horizontalAdvance(part)) << row << "," << column;
                }
            }
        }
        if (count == 6) {
            EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
            EXPECT_FALSE(grid->verticalScrollBar()->isVisible());
        }
        if (const char* folderForShots = std::getenv("CPT_SCREENSHOT_DIR")) {
            const QString name = QString("%1/grid-%2-treatments.png").arg(folderForShots).arg(count);
            EXPECT_TRUE(window.grab().save(name));
            EXPECT_TRUE(grid->grab().save(QString("%1/grid-%2-treatments-widget.png").arg(folderForShots).arg(count)));
        }
    }
}

}  // namespace
}  // namespace cpt::app
