// Not a test: a walk through the desktop program on the real screen (run it
// under Xvfb at a given screen size) that saves a screenshot at each stop:
// start, menu text, frequency chart, a finished run, a real input box and
// file dialogue, the Results window's three tabs, and the Study window
// before and after its run.
//
//   screenshot_tour OUT_FOLDER EXAMPLES_FOLDER
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <deque>
#include <iostream>
#include <string>

#include "app/desktop_application.h"
#include "app/main_window_widget.h"
#include "app/qt_dialogs.h"
#include "app/results_window.h"
#include "app/study_window.h"
#include "core/common/clock.h"

namespace {

QString outFolder;

void shoot(const QString& name) {
    QApplication::processEvents();
    QTest::qWait(400);
    QApplication::processEvents();
    const QString path = QDir(outFolder).filePath(name + ".png");
    QGuiApplication::primaryScreen()->grabWindow(0).save(path);
    std::cout << path.toStdString() << '\n';
}

// Answers from a list by title; for the titles asked to, the real box or
// dialogue is shown first, photographed and closed.
class TourDialogs : public cpt::Dialogs {
public:
    struct Step {
        std::string title;
        int answer = cpt::AnswerNo;
        std::optional<std::string> text;
        bool showReal = false;
    };
    std::deque<Step> steps;

    int messageBox(std::string_view prompt, cpt::ButtonSet, std::string_view title) override {
        if (steps.empty() || steps.front().title != title) std::cerr << prompt << '\n';
        return take(title).answer;
    }
    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title,
                                        std::string_view defaultText) override {
        Step step = take(title);
        if (step.showReal) {
            closeAfterShot(title == "Sample size" ? "table-sample-size-box"
                           : title == "Parameter"  ? "table-parameter-box"
                                                   : "input-box");
            real.inputBox(prompt, title, defaultText);
        }
        return step.text;
    }
    std::optional<std::string> openFile(std::string_view title) override {
        Step step = take(title);
        if (step.showReal) {
            closeAfterShot("file-dialogue");
            real.openFile(title);
        }
        return step.text;
    }
    std::vector<std::string> openFiles(std::string_view title) override {
        Step step = take(title);
        if (step.showReal) {
            closeAfterShot(++treatmentDialogues_ == 1 ? "file-dialogue" : "table-file-dialogue");
            real.openFiles(title);
        }
        if (!step.text) return {};
        return {*step.text};
    }
    void beep() override {}

    cpt::app::QtDialogs real;

private:
    int treatmentDialogues_ = 0;

    Step take(std::string_view title) {
        if (steps.empty() || steps.front().title != title) {
            std::cerr << "unexpected question: " << title << '\n';
            return {std::string(title), cpt::AnswerCancel, std::nullopt};
        }
        Step step = steps.front();
        steps.pop_front();
        return step;
    }
    static void closeAfterShot(const QString& name) {
        QTimer::singleShot(900, [name] {
            shoot(name);
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
        });
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: screenshot_tour OUT_FOLDER EXAMPLES_FOLDER\n";
        return 2;
    }
    outFolder = argv[1];
    const std::string examples = std::string(argv[2]) + "/";
    TourDialogs dialogs;
    cpt::SystemClock clock;
    cpt::app::DesktopApplication desktop(dialogs, clock, true);
    dialogs.real.setParent(&desktop.mainWindow());
    cpt::app::MainWindowWidget& window = desktop.mainWindow();
    desktop.context().workingDirectory = QDir::tempPath().toStdString();
    shoot("1-start");

    QTest::mouseClick(window.widget("Image1"), Qt::LeftButton);  // the menu text
    shoot("2-menu-text");

    QTest::mouseClick(window.widget("Label6"), Qt::LeftButton);  // maintainer: every button on
    dialogs.steps = {{"Sort and count general data or bootstrap results", cpt::AnswerNo},
                     {"Data formate", cpt::AnswerNo},
                     {"Open a bootstrap file to sort", 0, examples + "Maize.txt"},
                     {"Limit the decimal points?", 0, "3"},
                     {"Limit the decimal points?", cpt::AnswerOk},
                     {"Limit the decimal points?", cpt::AnswerOk},
                     {"Frequency distribution", cpt::AnswerNo}};
    qobject_cast<QPushButton*>(window.widget("cmdGeneralNormalTest"))->click();
    shoot("3-chart");

    dialogs.steps = {{"Do you need detailed info?", cpt::AnswerYes},
                     {"Do you need flow record?", cpt::AnswerNo},
                     {"Detailed differences", cpt::AnswerNo},
                     {"Reversed sort", cpt::AnswerNo},
                     {"Read data file one by one for paired comparison using Cartesian Product", 0, "3", true},
                     {"Transformation?", 0, "0"},
                     {"Input treatment 1", 0, examples + "Maize.txt", true},
                     {"Input treatment 2", 0, examples + "Sorghum.txt"},
                     {"Input treatment 3", 0, examples + "Wheat.txt"},
                     {"Add a code to the output filename?", 0, "tour"}};
    qobject_cast<QPushButton*>(window.widget("cmdCartesianDifference"))->click();
    shoot("4-after-run");

    cpt::app::ResultsWindow* results = desktop.openResults();
    if (results == nullptr) {
        std::cerr << "no results\n";
        return 1;
    }
    auto* tabs = results->findChild<QTabWidget*>();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        shoot(QString("%1-results-tab-%2").arg(5 + tab).arg(tab + 1));
    }
    results->close();

    // A study of r, lambda and R0 for four hosts, Oat without R0.
    QTemporaryDir studyFolder;
    QStringList files;
    const char* hosts[] = {"Maize", "Sorghum", "Wheat", "Oat"};
    const char* parameters[] = {"r", "lambda", "R0"};
    const double centres[] = {0.15, 1.16, 40.0};
    for (int t = 0; t < 4; ++t) {
        for (int p = 0; p < 3; ++p) {
            if (t == 3 && p == 2) continue;
            const double centre = centres[p] * (1 + 0.02 * ((t * 5 + p) % 4));
            const double spread = centres[p] * 0.01 * (1 + t % 3);
            QString text = QString("\"%1\",\"Sample size\",%2,\"Bootstrap number\",200,\"%3\",%2,%4\r\n")
                               .arg(hosts[t]).arg(30 + t).arg(parameters[p]).arg(centre, 0, 'f', 4);
            for (int k = 0; k < 200; ++k) text += QString::number(centre + spread * ((k * 37 % 200) - 100) / 60.0, 'f', 6) + "\r\n";
            const QString path = studyFolder.filePath(QString("%1-%2.txt").arg(hosts[t], parameters[p]));
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0) return 1;
            files.push_back(path);
        }
    }
    cpt::app::StudyWindow* study = desktop.openStudy();
    study->setOutputFolder(studyFolder.path());
    study->addFiles(files);
    shoot("8-study-grouping");
    {
        // A file the window cannot use: listed as refused, then removed.
        const QString notes = studyFolder.filePath("notes.txt");
        QFile file(notes);
        if (!file.open(QIODevice::WriteOnly) || file.write("Notes of the study, no heading\r\n") < 0) return 1;
    }
    study->addFiles({studyFolder.filePath("notes.txt")});
    shoot("8b-study-refused");
    study->removeFile(static_cast<int>(files.size()));
    if (!study->run()) return 1;
    shoot("9-study-table");
    study->close();

    // A run from one wide table of the three hosts, without n or estimates.
    QTemporaryDir tableFolder;
    const QString table = tableFolder.filePath("r.csv");
    {
        QString text = "Maize,Sorghum,Wheat\r\n";
        for (int k = 0; k < 200; ++k) {
            const double centres[] = {0.151, 0.132, 0.121};
            for (int t = 0; t < 3; ++t) {
                text += QString::number(centres[t] + 0.004 * ((k * (37 + 11 * t) % 200) - 100) / 60.0, 'f', 6);
                text += t < 2 ? "," : "\r\n";
            }
        }
        QFile file(table);
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0) return 1;
    }
    dialogs.real.setStartFolder(tableFolder.path());
    dialogs.steps = {{"Do you need detailed info?", cpt::AnswerYes},
                     {"Do you need flow record?", cpt::AnswerNo},
                     {"Detailed differences", cpt::AnswerNo},
                     {"Reversed sort", cpt::AnswerNo},
                     {"Read data file one by one for paired comparison using Cartesian Product", 0, "3"},
                     {"Transformation?", 0, "0"},
                     {"Input treatment 1", 0, table.toStdString(), true},
                     {"Sample size", 0, "60", true},
                     {"Estimate", 0, "0.1512"},
                     {"Sample size", 0, "55"},
                     {"Estimate", 0, "0.1321"},
                     {"Sample size", 0, "48"},
                     {"Estimate", 0, "0.1209"},
                     {"Parameter", 0, "r", true},
                     {"Add a code to the output filename?", 0, "table"}};
    qobject_cast<QPushButton*>(window.widget("cmdCartesianDifference"))->click();
    shoot("10-after-table-run");
    if (cpt::app::ResultsWindow* tableResults = desktop.openResults()) {
        shoot("11-table-run-results");
        tableResults->close();
    }

    // The same table in the Study window: fields for what it lacks.
    study->clearFiles();
    study->addFiles({table});
    study->show();
    study->raise();
    study->activateWindow();
    shoot("12-study-lacking");
    study->close();
    return 0;
}
