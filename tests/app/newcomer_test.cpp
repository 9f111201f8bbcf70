// The desktop as a newcomer meets it: the Study window found, what a table
// lacks typed in it, a refused file shown and removed, Clear clearing the
// table, the windows closed from the keyboard, and no message naming an
// option of cpt.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <sstream>

#include "app/desktop_application.h"
#include "app/main_window_widget.h"
#include "app/results_window.h"
#include "app/study_window.h"
#include "batch/study_batch.h"
#include "study_files/study_table_files.h"
#include "support/cartesian_run.h"
#include "support/scripted_dialogs.h"
#include "support/test_clock.h"
#include "support/test_files.h"
#include "xlsx/read_treatments.h"

namespace cpt::app {
namespace {

using cpt::testing::TempFolder;

template <typename Widget>
Widget* part(const QWidget& window, const char* name) {
    Widget* widget = window.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

struct Host {
    const char* name;
    int sampleSize;
    const char* estimate;  // of r; lambda's is this plus one
};
const Host Hosts[] = {{"Maize", 60, "0.1512"}, {"Sorghum", 55, "0.13"}, {"Wheat", 60, "0.121"}};

// A wide table of the three hosts without n or estimates: r, or lambda.
std::filesystem::path writeWide(const TempFolder& folder, const std::string& parameter) {
    const double centres[] = {0.151, 0.132, 0.121};
    const double shift = parameter == "lambda" ? 1.0 : 0.0;
    std::string text = "Maize,Sorghum,Wheat\r\n";
    for (int k = 0; k < 30; ++k) {
        for (int t = 0; t < 3; ++t) {
            text += std::to_string(shift + centres[t] * (1 + 0.01 * ((k * 7 + t) % 5 - 2)));
            text += t < 2 ? "," : "\r\n";
        }
    }
    return folder.write(parameter + ".csv", text);
}

std::string estimateOf(const Host& host, const std::string& parameter) {
    return parameter == "lambda" ? std::to_string(1 + std::stod(host.estimate)) : host.estimate;
}

const DateTime Fixed{2026, 5, 4, 10, 20, 30};

std::map<std::string, std::string> contents(const TempFolder& folder) {
    std::map<std::string, std::string> files;
    for (const std::string& name : folder.files()) files[name] = cpt::testing::readFile(folder.path() / name);
    return files;
}

// The window's shown words: the status, the list of files and their tips.
QStringList shownTexts(const StudyWindow& window) {
    QStringList texts{part<QLabel>(window, study_parts::Problem)->text()};
    auto* files = part<QListWidget>(window, study_parts::Files);
    for (int k = 0; k < files->count(); ++k) texts << files->item(k)->text() << files->item(k)->toolTip();
    return texts;
}

// Types into the window's table of what the tables lack, row by row: n
// where the host's differs from the one for all, each estimate.
void typeLacking(StudyWindow& window, const std::vector<std::string>& parameters) {
    part<QLineEdit>(window, study_parts::OneSampleSize)->setText("60");
    auto* lacking = part<QTableWidget>(window, study_parts::Lacking);
    ASSERT_EQ(lacking->rowCount(), static_cast<int>(3 * parameters.size()));
    for (int row = 0; row < lacking->rowCount(); ++row) {
        const Host& host = Hosts[row % 3];
        const std::string& parameter = parameters[static_cast<std::size_t>(row / 3)];
        EXPECT_EQ(lacking->item(row, StudyWindow::LackTreatment)->text(), host.name);
        EXPECT_EQ(lacking->item(row, StudyWindow::LackFile)->text().toStdString(), parameter + ".csv");
        if (host.sampleSize != 60) lacking->item(row, StudyWindow::LackSampleSize)->setText(QString::number(host.sampleSize));
        lacking->item(row, StudyWindow::LackEstimate)->setText(QString::fromStdString(estimateOf(host, parameter)));
    }
}

TEST(Newcomer, TypedEntriesOfWideTablesGiveTheStudyOfTheSameValuesGivenAsOptions) {
    TempFolder inputs, byWindow, byOptions;
    const std::vector<std::string> parameters{"r", "lambda"};
    QStringList paths;
    std::vector<std::string> files;
    for (const std::string& parameter : parameters) {
        files.push_back(writeWide(inputs, parameter).string());
        paths << QString::fromStdString(files.back());
    }

    StudyWindow window(QString::fromStdString(byWindow.path().string()));
    window.setFixedTime(Fixed);
    window.addFiles(paths);
    EXPECT_TRUE(part<QWidget>(window, study_parts::LackingBox)->isVisibleTo(&window));
    EXPECT_FALSE(window.canRun());
    typeLacking(window, parameters);
    ASSERT_TRUE(window.canRun()) << part<QLabel>(window, study_parts::Problem)->text().toStdString();
    ASSERT_TRUE(window.run());
    ASSERT_FALSE(window.exportTable(StudyFormat::Csv).isEmpty());
    EXPECT_FALSE(part<QLabel>(window, study_parts::Problem)->text().contains("ready to run"));

    batch::StudyBatchOptions options;
    options.files = files;
    options.formats = {StudyFormat::Csv};
    options.folder = byOptions.path().string();
    options.fixedTime = Fixed;
    options.threads = 1;
    options.reader = [](const std::filesystem::path& path, const ReadOptions& given) {
        ReadOptions read = given;
        read.sampleSize = 60;
        read.sampleSizes = {{"Sorghum", 55}};
        const std::string parameter = path.stem().string();
        for (const Host& host : Hosts) read.estimates[host.name] = std::stod(estimateOf(host, parameter));
        return readTreatments(path, read);
    };
    std::ostringstream messages;
    const batch::BatchOutcome outcome = batch::runStudyBatch(
        options,
        [](const StudyTable& table, const std::filesystem::path& folder, std::span<const StudyFormat> formats,
           const DateTime& created) { return writeStudyTableFiles(table, folder, formats, created); },
        messages);
    ASSERT_EQ(outcome.status, batch::ExitSuccess) << messages.str();
    const auto expected = contents(byOptions);
    ASSERT_EQ(expected.size(), 3u);  // two reports, one table
    EXPECT_EQ(contents(byWindow), expected);
}

TEST(Newcomer, UnusableEntriesAreToldByTreatmentAndFileAndHoldTheRun) {
    TempFolder inputs, out;
    StudyWindow window(QString::fromStdString(out.path().string()));
    window.addFiles({QString::fromStdString(writeWide(inputs, "r").string())});
    typeLacking(window, {"r"});
    ASSERT_TRUE(window.canRun());
    auto* lacking = part<QTableWidget>(window, study_parts::Lacking);
    struct Case {
        int column;
        const char* typed;
        const char* told;
    };
    const Case cases[] = {
        {StudyWindow::LackSampleSize, "2.5", "The sample size must be a whole number of at least 1; \"2.5\" is not."},
        {StudyWindow::LackSampleSize, "0", "The sample size must be a whole number of at least 1; \"0\" is not."},
        {StudyWindow::LackEstimate, "many", "The estimate must be a number; \"many\" is not."},
        {StudyWindow::LackEstimate, "", "in the box \"Estimate\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const QString before = lacking->item(1, c.column)->text();
        lacking->item(1, c.column)->setText(c.typed);
        EXPECT_FALSE(window.canRun());
        const QString told = part<QLabel>(window, study_parts::Problem)->text();
        EXPECT_TRUE(told.contains(QString("Treatment \"Sorghum\" (r) of r.csv")) && told.contains(c.told))
            << told.toStdString();
        EXPECT_FALSE(told.contains("--")) << told.toStdString();
        lacking->item(1, c.column)->setText(before);
        EXPECT_TRUE(window.canRun());
    }
    // An empty n takes the one for all; without it, n is asked for.
    lacking->item(1, StudyWindow::LackSampleSize)->setText("");
    EXPECT_TRUE(window.canRun());
    part<QLineEdit>(window, study_parts::OneSampleSize)->setText("");
    EXPECT_FALSE(window.canRun());
    EXPECT_TRUE(part<QLabel>(window, study_parts::Problem)->text().contains("box \"n\" (or one n for all)"));
    part<QLineEdit>(window, study_parts::OneSampleSize)->setText("x");
    EXPECT_TRUE(part<QLabel>(window, study_parts::Problem)->text().contains("One n for all: The sample size must be"));
}

QStringList writeDescribedStudy(const TempFolder& folder) {
    QStringList paths;
    for (const char* parameter : {"r", "lambda"}) {
        for (const Host& host : Hosts) {
            std::vector<std::string> values;
            for (int k = 0; k < 20; ++k) values.push_back(std::to_string(1 + 0.01 * ((k * 3 + host.sampleSize) % 7)));
            paths << QString::fromStdString(
                folder.write(std::string(host.name) + "-" + parameter + ".txt",
                             cpt::testing::treatmentText(host.name, parameter, 20, values, host.sampleSize, "1"))
                    .string());
        }
    }
    return paths;
}

TEST(Newcomer, ARefusedFileIsShownAsRefusedAndRemovedOnItsOwn) {
    TempFolder inputs, out;
    StudyWindow window(QString::fromStdString(out.path().string()));
    const QString bad = QString::fromStdString(inputs.write("bad.txt", "no heading here\r\n").string());
    window.addFiles({bad});
    window.addFiles(writeDescribedStudy(inputs));
    auto* files = part<QListWidget>(window, study_parts::Files);
    ASSERT_EQ(files->count(), 7);
    EXPECT_TRUE(files->item(0)->text().startsWith("bad.txt: refused.")) << files->item(0)->text().toStdString();
    const QString problem = part<QLabel>(window, study_parts::Problem)->text();
    EXPECT_TRUE(problem.contains("bad.txt")) << problem.toStdString();
    // The usable files are grouped and counted; the refused one holds Run.
    EXPECT_EQ(part<QTableWidget>(window, study_parts::Grouping)->columnCount(), 3);
    EXPECT_EQ(part<QProgressBar>(window, study_parts::Progress)->maximum(), 6);
    EXPECT_FALSE(part<QPushButton>(window, study_parts::Run)->isEnabled());
    for (const QString& text : shownTexts(window)) EXPECT_FALSE(text.contains("--")) << text.toStdString();

    files->item(0)->setSelected(true);
    part<QPushButton>(window, study_parts::RemoveFiles)->click();
    EXPECT_EQ(files->count(), 6);
    EXPECT_TRUE(part<QPushButton>(window, study_parts::Run)->isEnabled());
    EXPECT_FALSE(part<QLabel>(window, study_parts::Problem)->text().contains("bad.txt"));
    EXPECT_TRUE(window.run());
}

TEST(Newcomer, ClearClearsTheTableAndItsSaves) {
    TempFolder inputs, out;
    StudyWindow window(QString::fromStdString(out.path().string()));
    window.addFiles(writeDescribedStudy(inputs));
    ASSERT_TRUE(window.run());
    auto* csv = part<QPushButton>(window, "export-csv");
    EXPECT_TRUE(csv->isEnabled());
    EXPECT_FALSE(part<QLabel>(window, study_parts::Problem)->text().contains("ready to run"));
    window.clearFiles();
    EXPECT_FALSE(window.table().has_value());
    EXPECT_FALSE(csv->isEnabled());
    EXPECT_FALSE(part<QPushButton>(window, study_parts::ShowResults)->isEnabled());
    EXPECT_TRUE(part<QTextBrowser>(window, study_parts::Table)->toPlainText().isEmpty());
    EXPECT_TRUE(window.exportTable(StudyFormat::Csv).isEmpty());
    EXPECT_EQ(out.files().size(), 2u);  // the reports of the run, no table
}

TEST(Newcomer, TheMainWindowShowsTheWayIntoTheStudyWindow) {
    cpt::testing::ScriptedDialogs dialogs;
    cpt::testing::TestClock clock;
    DesktopApplication desktop(dialogs, clock, false);
    auto* button = part<QPushButton>(desktop.mainWindow(), main_parts::StudyButton);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisible());
    EXPECT_TRUE(button->isEnabled());
    button->click();
    StudyWindow* study = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<StudyWindow*>(widget)) study = found;
    }
    ASSERT_NE(study, nullptr);
    EXPECT_TRUE(study->isVisible());
    study->close();
}

TEST(Newcomer, EscapeAndControlWCloseTheStudyAndResultsWindows) {
    for (const QKeyCombination keys : {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::CTRL, Qt::Key_W)}) {
        TempFolder out;
        StudyWindow study(QString::fromStdString(out.path().string()));
        study.show();
        QApplication::setActiveWindow(&study);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&study));
        QTest::keyClick(&study, keys.key(), keys.keyboardModifiers());
        EXPECT_FALSE(study.isVisible());

        const std::string report = out.write("report.txt", "A report\r\n").string();
        auto* results = new ResultsWindow(QString::fromStdString(report), {});
        QPointer<ResultsWindow> alive(results);
        results->show();
        QApplication::setActiveWindow(results);
        ASSERT_TRUE(QTest::qWaitForWindowActive(results));
        QTest::keyClick(results, keys.key(), keys.keyboardModifiers());
        QApplication::processEvents();
        EXPECT_TRUE(alive.isNull() || !alive->isVisible());
        delete alive.data();
    }
}

}  // namespace
}  // namespace cpt::app
