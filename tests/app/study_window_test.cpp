// The Study window: the files grouped before the run, the run's reports and
// table, each format saved, a parameter's results opened; never opened by
// the main window itself.
#include <QApplication>
#include <QFileDialog>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

#include "app/desktop_application.h"
#include "app/qt_dialogs.h"
#include "app/figure_view.h"
#include "app/results_window.h"
#include "app/study_window.h"
#include "core/figures/svg_writer.h"
#include "core/study/study_figure.h"
#include "core/study/study_file_set.h"
#include "support/cartesian_run.h"
#include "support/scripted_dialogs.h"
#include "support/test_clock.h"
#include "support/test_files.h"

namespace cpt::app {
namespace {

using cpt::testing::TempFolder;
using figures::svgOf;

const char* const Hosts[] = {"Maize", "Sorghum", "Wheat", "Oat"};
const char* const Parameters[] = {"r", "lambda", "R0"};

// Three parameters of four hosts, Oat without R0.
QStringList writeStudy(const TempFolder& folder) {
    const double centres[] = {0.15, 1.16, 40.0};
    QStringList paths;
    for (int t = 0; t < 4; ++t) {
        for (int p = 0; p < 3; ++p) {
            if (t == 3 && p == 2) continue;
            const double centre = centres[p] * (1 + 0.03 * ((t * 5 + p) % 4));
            std::vector<std::string> values;
            for (int k = 0; k < 30; ++k) values.push_back(std::to_string(centre * (1 + 0.01 * ((k * 7 + t) % 5 - 2))));
            const std::string name = std::string(Hosts[t]) + "-" + Parameters[p] + ".txt";
            paths.push_back(QString::fromStdString(
                folder.write(name, cpt::testing::treatmentText(Hosts[t], Parameters[p], 30, values)).string()));
        }
    }
    return paths;
}

template <typename Widget>
Widget* part(const StudyWindow& window, const char* name) {
    Widget* widget = window.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

TEST(StudyWindow, GroupsTheFilesAsParametersByTreatmentsBeforeTheRun) {
    TempFolder inputs, out;
    StudyWindow window(QString::fromStdString(out.path().string()));
    EXPECT_FALSE(part<QPushButton>(window, study_parts::Run)->isEnabled());
    window.addFiles(writeStudy(inputs));
    auto* grid = part<QTableWidget>(window, study_parts::Grouping);
    ASSERT_EQ(grid->rowCount(), 3);
    ASSERT_EQ(grid->columnCount(), 4);
    for (int p = 0; p < 3; ++p) EXPECT_EQ(grid->verticalHeaderItem(p)->text(), Parameters[p]);
    for (int t = 0; t < 4; ++t) EXPECT_EQ(grid->horizontalHeaderItem(t)->text(), Hosts[t]);
    EXPECT_EQ(grid->item(2, 3), nullptr);  // Oat has no R0
    ASSERT_NE(grid->item(1, 2), nullptr);
    EXPECT_TRUE(grid->item(1, 2)->text().contains("Wheat-lambda.txt"));
    EXPECT_TRUE(part<QPushButton>(window, study_parts::Run)->isEnabled());
    EXPECT_TRUE(out.files().empty());  // nothing is written before the run

    // The same host and parameter twice: shown in one cell, told, not run.
    const std::string again = inputs.write("Maize-r again.txt", cpt::testing::treatmentText("Maize", "r", 3, {"1", "2", "3"})).string();
    window.addFiles({QString::fromStdString(again)});
    EXPECT_TRUE(grid->item(0, 0)->text().contains("Maize-r again.txt"));
    const QString problem = part<QLabel>(window, study_parts::Problem)->text();
    EXPECT_TRUE(problem.contains("Maize-r.txt") && problem.contains("Maize-r again.txt")) << problem.toStdString();
    EXPECT_FALSE(part<QPushButton>(window, study_parts::Run)->isEnabled());
    grid->horizontalHeader()->moveSection(3, 0);
    window.clearFiles();
    EXPECT_EQ(grid->rowCount(), 0);
    window.addFiles(writeStudy(inputs));
    EXPECT_EQ(grid->horizontalHeader()->visualIndex(0), 0);  // a new grid starts in the files' order
}

TEST(StudyWindow, RunShowsTheTableAndSavesEachFormat) {
    TempFolder inputs, out;
    StudyWindow window(QString::fromStdString(out.path().string()));
    window.addFiles(writeStudy(inputs));
    // Oat dragged to the front of the grid leads the table too.
    part<QTableWidget>(window, study_parts::Grouping)->horizontalHeader()->moveSection(3, 0);
    ASSERT_TRUE(window.run());
    ASSERT_EQ(window.reports().size(), 3u);
    for (const auto& report : window.reports()) EXPECT_TRUE(std::filesystem::exists(report)) << report;
    ASSERT_TRUE(window.table().has_value());
    const StudyTable& table = *window.table();
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.tidyRows.size(), 11u);
    EXPECT_EQ(table.treatments, (std::vector<std::string>{"Oat", "Maize", "Sorghum", "Wheat"}));

    // The letters are raised in the view, after the values.
    const QString html = part<QTextBrowser>(window, study_parts::Table)->toHtml();
    EXPECT_TRUE(html.contains("vertical-align:super")) << html.toStdString();
    const QString shown = part<QTextBrowser>(window, study_parts::Table)->toPlainText();
    EXPECT_TRUE(shown.contains(QString::fromStdString(table.rows[0].cells[0]->values))) << shown.toStdString();

    for (StudyFormat format : AllStudyFormats) {
        const QString path = window.exportTable(format);
        ASSERT_FALSE(path.isEmpty());
        EXPECT_TRUE(path.endsWith(QString::fromLatin1(studyFormatExtension(format))));
    }
    EXPECT_EQ(cpt::testing::readFile(out.path() / "study-table.csv"), studyTableText(table, StudyFormat::Csv));
    EXPECT_EQ(out.files().size(), 3u + 6u);
    // Saved again: beside the first, never over it.
    EXPECT_TRUE(window.exportTable(StudyFormat::Csv).endsWith("study-table (2).csv"));

    ResultsWindow* results = window.showResults(1);
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->reportPath().toStdString(), window.reports()[1].string());
    EXPECT_NE(results->reportText().indexOf("lambda"), -1);
    EXPECT_EQ(window.showResults(1), results);  // raised, not opened twice
}

TEST(StudyWindow, ShowsTheStudyFigureUnderTheTableAndSavesIt) {
    TempFolder inputs, out;
    StudyWindow window(QString::fromStdString(out.path().string()));
    window.addFiles(writeStudy(inputs));
    auto* figure = part<FigureView>(window, study_parts::Figure);
    EXPECT_TRUE(figure->figure().texts.empty());  // nothing before the run
    ASSERT_TRUE(window.run());
    const StudyTable& table = *window.table();
    // The view draws the table's own figure, bars first, points when asked.
    EXPECT_EQ(svgOf(figure->figure()), svgOf(studyFigure(table, StudyFigureStyle::Bars)));
    part<QCheckBox>(window, study_parts::FigurePoints)->setChecked(true);
    EXPECT_EQ(svgOf(figure->figure()), svgOf(studyFigure(table, StudyFigureStyle::Points)));

    for (const char* extension : {"svg", "png", "pdf"}) {
        const QString path = window.exportFigure(QString::fromLatin1(extension));
        EXPECT_EQ(path.toStdString(), (out.path() / (std::string("study-figure.") + extension)).string());
    }
    EXPECT_EQ(cpt::testing::readFile(out.path() / "study-figure.svg"), svgOf(figure->figure()));
    EXPECT_TRUE(cpt::testing::readFile(out.path() / "study-figure.pdf").starts_with("%PDF-"));
    // Saved again: beside the first, never over it.
    EXPECT_TRUE(window.exportFigure("png").endsWith("study-figure (2).png"));
    EXPECT_EQ(out.files().size(), 3u + 4u);
}

TEST(StudyWindow, OpensOnlyWhenAsked) {
    cpt::testing::ScriptedDialogs dialogs;
    cpt::testing::TestClock clock;
    DesktopApplication desktop(dialogs, clock, false);
    auto studyWindows = [] {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) count += qobject_cast<StudyWindow*>(widget) != nullptr;
        return count;
    };
    desktop.tick();
    EXPECT_EQ(studyWindows(), 0);
    StudyWindow* study = desktop.openStudy();
    ASSERT_NE(study, nullptr);
    EXPECT_TRUE(study->isVisible());
    EXPECT_EQ(desktop.openStudy(), study);
    EXPECT_EQ(studyWindows(), 1);
    EXPECT_TRUE(dialogs.allAnswered());  // no question was asked
}

// The main window's treatment dialogue and the Study window's offer the same
// filters, from the list of input formats; a folder gives its tables and
// workbooks too; the table is saved in each format of the list of study
// formats.
TEST(StudyWindow, OffersTheFormatsTheMainWindowOffers) {
    const std::string expected =
        "Bootstrap files and tables (*.txt *.csv *.tsv *.xlsx);;Text files (*.txt);;All files (*)";
    EXPECT_EQ(treatmentFileFilters().join(";;").toStdString(), expected);

    TempFolder inputs, out;
    StudyWindow window(QString::fromStdString(out.path().string()));
    window.show();
    QStringList offered;
    QObject answering;
    int ticks = 0;
    std::function<void()> answer = [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            offered = dialog->nameFilters();
            dialog->reject();
        } else if (++ticks < 250) {
            QTimer::singleShot(20, &answering, answer);
        }
    };
    QTimer::singleShot(20, &answering, answer);
    part<QPushButton>(window, study_parts::AddFiles)->click();
    EXPECT_EQ(offered.join(";;").toStdString(), expected);

    inputs.write("Maize-r.txt", cpt::testing::treatmentText("Maize", "r", 3, {"0.1", "0.2", "0.3"}));
    inputs.write("Wheat-r.txt", cpt::testing::treatmentText("Wheat", "r", 3, {"0.2", "0.3", "0.4"}));
    inputs.write("lambda.csv", "treatment,value,n,estimate\nMaize,1.1,20,1.15\nMaize,1.2,20,1.15\n"
                               "Wheat,1.3,21,1.25\nWheat,1.25,21,1.25\n");
    inputs.write("R0.TSV", "treatment\tvalue\tn\testimate\nMaize\t40\t20\t41\nMaize\t42\t20\t41\n"
                           "Wheat\t44\t21\t43\nWheat\t43\t21\t43\n");
    inputs.write("notes.md", "not a treatment file");
    window.addFolder(QString::fromStdString(inputs.path().string()));
    auto* grid = part<QTableWidget>(window, study_parts::Grouping);
    ASSERT_EQ(grid->rowCount(), 3);
    QStringList parameters;
    for (int p = 0; p < 3; ++p) parameters << grid->verticalHeaderItem(p)->text();
    parameters.sort();
    EXPECT_EQ(parameters, (QStringList{"R0", "lambda", "r"}));
    EXPECT_TRUE(window.canRun()) << part<QLabel>(window, study_parts::Problem)->text().toStdString();

    // A save button for each format of the list of study formats, with its label.
    for (const StudyFormatEntry& format : StudyFormats) {
        const QString name = QStringLiteral("export-") + QString::fromLatin1(format.extension);
        auto* button = window.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        EXPECT_EQ(button->text().toStdString(), format.label);
    }
}

}  // namespace
}  // namespace cpt::app
