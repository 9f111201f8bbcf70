// The Results window after a scripted run, and the figures exported in each
// format.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>

#include "app/desktop_application.h"
#include "app/main_window_widget.h"
#include "app/results_window.h"
#include "core/analysis/cartesian_run.h"
#include "core/common/user_error.h"
#include "core/tables/letter_marking.h"
#include "support/cartesian_run.h"
#include "support/scripted_dialogs.h"
#include "support/test_clock.h"
#include "support/test_files.h"

namespace cpt::app {
namespace {

using figure_export::FigureFormat;
using figures::Figure;

const std::string Examples = std::string(CPT_SOURCE_DIR) + "/examples/";

struct RunDesktop {
    RunDesktop() : application(dialogs, clock, false) { application.context().workingDirectory = folder.path(); }

    void scriptRun(const std::vector<std::string>& files) {
        std::vector<std::filesystem::path> paths;
        for (const std::string& file : files) paths.push_back(Examples + file);
        cpt::testing::scriptPlainRun(dialogs, paths);
    }
    void clickRun() {
        qobject_cast<QPushButton*>(application.mainWindow().widget("cmdCartesianDifference"))->click();
        EXPECT_TRUE(dialogs.allAnswered());
    }
    QLineEdit* caption() { return qobject_cast<QLineEdit*>(application.mainWindow().widget("txtDatafile")); }
    std::vector<ResultsWindow*> resultsWindows() {
        std::vector<ResultsWindow*> found;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* results = qobject_cast<ResultsWindow*>(widget); results && results->isVisible()) {
                found.push_back(results);
            }
        }
        return found;
    }

    cpt::testing::TempFolder folder;
    cpt::testing::ScriptedDialogs dialogs;
    cpt::testing::TestClock clock;
    DesktopApplication application;
};

std::size_t linesWithRole(const Figure& figure, const std::string& role) {
    return static_cast<std::size_t>(std::count_if(figure.lines.begin(), figure.lines.end(),
                                                  [&](const figures::Line& line) { return line.role == role; }));
}

std::vector<std::string> textsWithRole(const Figure& figure, const std::string& role) {
    std::vector<std::string> texts;
    for (const figures::Text& text : figure.texts) {
        if (text.role == role) texts.push_back(text.text);
    }
    return texts;
}

TEST(ResultsWindow, OpensFromTheCaptionAndShowsTheReportItsMeansAndEachPair) {
    RunDesktop desktop;
    desktop.scriptRun({"Maize.txt", "Sorghum.txt", "Wheat.txt"});
    desktop.clickRun();
    const AnalysisState& state = desktop.application.context().state;
    const std::filesystem::path reportPath = desktop.folder.path() / state.OutputFileName;
    ASSERT_TRUE(std::filesystem::exists(reportPath));
    // The described caption stays; its tooltip names the full path.
    EXPECT_EQ(desktop.caption()->text().toStdString(), "Output file is: " + state.OutputFileName);
    EXPECT_TRUE(desktop.caption()->toolTip().startsWith(QString::fromStdString(reportPath.string())));
    EXPECT_TRUE(desktop.resultsWindows().empty()) << "no window opens by itself";

    QTest::mouseClick(desktop.caption(), Qt::LeftButton);
    ASSERT_EQ(desktop.resultsWindows().size(), 1u);
    ResultsWindow& results = *desktop.resultsWindows().front();

    // The report's text is the file's text.
    std::string fileText = cpt::testing::readFile(reportPath);
    std::erase(fileText, '\r');
    EXPECT_EQ(results.reportText().toStdString(), fileText);
    EXPECT_TRUE(results.find("Cartesian product paired difference"));
    EXPECT_FALSE(results.find("no such words in a report"));

    // One error bar and one letter label per treatment, the report's letters in its order.
    const cpt::CartesianRun& run = *desktop.application.context().cartesianRun;
    const auto letters = run.result->letters.labels;
    for (auto bars : {figures::ErrorBars::Percentile, figures::ErrorBars::StandardError}) {
        results.setErrorBars(bars);
        const Figure& means = results.figure(ResultsWindow::Shown::Means);
        EXPECT_EQ(linesWithRole(means, "error-bar"), 3u);
        const std::vector<std::string> shownLetters = textsWithRole(means, "letter");
        ASSERT_EQ(shownLetters.size(), 3u);
        for (int t = 1; t <= 3; ++t) {
            EXPECT_EQ(" " + shownLetters[static_cast<std::size_t>(t - 1)], letters[static_cast<std::size_t>(t - 1)]);
            EXPECT_EQ(textsWithRole(means, "treatment")[static_cast<std::size_t>(t - 1)], run.result->treatments[static_cast<std::size_t>(t - 1)].name);
        }
    }

    // Each pair's histogram holds all its differences, bin by bin as a count of every one.
    for (int index = 0; index < 3; ++index) {
        results.showPair(index);
        const figures::PairSummary& pair = results.summary().pairs[static_cast<std::size_t>(index)];
        const figures::DifferenceHistogram& histogram = results.shownHistogram();
        const std::int64_t all = std::int64_t{run.result->treatments[static_cast<std::size_t>(pair.minuend)].bootstrapNumber} *
                                 run.result->treatments[static_cast<std::size_t>(pair.subtrahend)].bootstrapNumber;
        EXPECT_EQ(std::accumulate(histogram.counts.begin(), histogram.counts.end(), std::int64_t{0}), all);
        std::vector<std::int64_t> bruteForce(histogram.counts.size(), 0);
        const auto& minuends = run.treatments[static_cast<std::size_t>(run.result->treatments[static_cast<std::size_t>(pair.minuend)].entry)].values;
        const auto& subtrahends = run.treatments[static_cast<std::size_t>(run.result->treatments[static_cast<std::size_t>(pair.subtrahend)].entry)].values;
        for (const double x : minuends) {
            for (const double y : subtrahends) {
                const double d = x - y;
                std::size_t bin = 0;
                while (bin + 1 < bruteForce.size() && !(d < histogram.edge(bin + 1))) ++bin;
                ++bruteForce[bin];
            }
        }
        EXPECT_EQ(histogram.counts, bruteForce) << "pair " << index;
        const Figure& figure = results.figure(ResultsWindow::Shown::Pair);
        EXPECT_EQ(linesWithRole(figure, "mean"), 1u);
        EXPECT_EQ(linesWithRole(figure, "t-interval"), 2u);
    }

    // One window per report: Enter on the caption and Ctrl+R bring back the same one.
    desktop.caption()->setFocus();
    QTest::keyClick(desktop.caption(), Qt::Key_Return);
    QTest::keyClick(&desktop.application.mainWindow(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(desktop.resultsWindows().size(), 1u);

    // A later run that ends without a report leaves no report to open.
    desktop.dialogs.answerMessage("Detailed differences", AnswerCancel);
    desktop.clickRun();
    EXPECT_EQ(desktop.caption()->text(), "");
    EXPECT_TRUE(desktop.application.mainWindow().reportPath().isEmpty());
    EXPECT_EQ(desktop.application.openResults(), nullptr);
}

TEST(ResultsWindow, GridLegendStandsUnderTheGridOfARun) {
    RunDesktop desktop;
    QWidget* legend = desktop.application.mainWindow().findChild<QWidget*>("gridLegend");
    ASSERT_NE(legend, nullptr);
    EXPECT_FALSE(legend->isVisible());
    desktop.scriptRun({"Wheat.txt", "Maize.txt"});
    desktop.clickRun();
    EXPECT_TRUE(legend->isVisible());
    EXPECT_EQ(qobject_cast<QLabel*>(legend)->text(), MainWindowWidget::gridLegendText(false));
}

// The SVG's texts by class.
std::multimap<std::string, std::string> svgTexts(const QByteArray& svg) {
    std::multimap<std::string, std::string> texts;
    QXmlStreamReader reader(svg);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String("text")) {
            const std::string role = reader.attributes().value("class").toString().toStdString();
            texts.emplace(role, reader.readElementText().toStdString());
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return texts;
}

TEST(ResultsWindow, ExportsEachFigureInEachFormat) {
    RunDesktop desktop;
    desktop.scriptRun({"Maize.txt", "Sorghum.txt", "Wheat.txt"});
    desktop.clickRun();
    ResultsWindow* results = desktop.application.openResults();
    ASSERT_NE(results, nullptr);
    const figures::RunSummary& summary = results->summary();
    cpt::testing::TempFolder out;
    for (auto which : {ResultsWindow::Shown::Means, ResultsWindow::Shown::Pair}) {
        const Figure& figure = results->figure(which);
        const std::string stem = which == ResultsWindow::Shown::Means ? "means" : "pair";
        SCOPED_TRACE(stem);

        const QString svgPath = QString::fromStdString((out.path() / (stem + ".svg")).string());
        results->exportFigure(which, svgPath, FigureFormat::Svg);
        QFile svg(svgPath);
        ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
        const auto texts = svgTexts(svg.readAll());
        if (which == ResultsWindow::Shown::Means) {
            for (const figures::TreatmentSummary& t : summary.treatments) {
                EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const auto& e) {
                    return e.first == "treatment" && e.second == t.name;
                })) << t.name;
                EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const auto& e) {
                    return e.first == "letter" && e.second == t.letters;
                })) << t.letters;
            }
        } else {
            ASSERT_EQ(texts.count("title"), 1u);
            const std::string title = texts.find("title")->second;
            EXPECT_NE(title.find(summary.treatments[static_cast<std::size_t>(summary.pairs[0].minuend)].name),
                      std::string::npos);
            EXPECT_NE(title.find("P = "), std::string::npos);
        }

        const QString pngPath = QString::fromStdString((out.path() / (stem + ".png")).string());
        results->exportFigure(which, pngPath, FigureFormat::Png);
        const QImage png(pngPath);
        EXPECT_EQ(png.size(), figure_export::figureSizeAt(figure, 300));
        EXPECT_EQ(png.dotsPerMeterX(), qRound(300 / 0.0254));
        const QString askedPath = QString::fromStdString((out.path() / (stem + "-asked.png")).string());
        figure_export::writeFigure(figure, askedPath.toStdString(), FigureFormat::Png, QSize(640, 400));
        EXPECT_EQ(QImage(askedPath).size(), QSize(640, 400));

        const std::filesystem::path pdfPath = out.path() / (stem + ".pdf");
        results->exportFigure(which, QString::fromStdString(pdfPath.string()), FigureFormat::Pdf);
        EXPECT_EQ(cpt::testing::readFile(pdfPath).substr(0, 4), "%PDF");
    }
    // A folder that does not exist: told, and nothing claims to be written.
    EXPECT_THROW(results->exportFigure(ResultsWindow::Shown::Means,
                                       QString::fromStdString((out.path() / "missing" / "m.png").string()),
                                       FigureFormat::Png),
                 UserError);
}

// Clicks "Export SVG..." and answers Qt's save dialogue: types the name and
// clicks Save; answers a replace question with the given button (on No the
// dialogue stays, and is then cancelled). Returns the questions asked.
QStringList exportSvgTyping(ResultsWindow& results, const QString& typed, QMessageBox::StandardButton replace) {
    QPushButton* exportSvg = nullptr;
    for (QPushButton* button : results.findChildren<QPushButton*>()) {
        if (button->text() == "Export SVG...") exportSvg = button;
    }
    EXPECT_NE(exportSvg, nullptr);
    if (exportSvg == nullptr) return {};
    QStringList questions;
    bool nameTyped = false;
    int ticks = 0;
    QObject answering;  // its pending answers end with it
    std::function<void()> answer = [&] {
        QTimer::singleShot(20, &answering, answer);  // first: the steps below may wait in a dialogue
        QWidget* modal = QApplication::activeModalWidget();
        if (++ticks > 500 && modal != nullptr) {
            ADD_FAILURE() << "the export dialogue did not close";
            modal->close();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            questions << box->text();
            box->button(replace)->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && !nameTyped) {
            nameTyped = true;
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(typed);
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->click();
        } else if (dialog != nullptr) {
            dialog->reject();
        }
    };
    QTimer::singleShot(20, &answering, answer);
    exportSvg->click();
    return questions;
}

TEST(ResultsWindow, ExportAddsTheExtensionBeforeAskingToReplaceAFile) {
    RunDesktop desktop;
    desktop.scriptRun({"Maize.txt", "Wheat.txt"});
    desktop.clickRun();
    ResultsWindow* results = desktop.application.openResults();
    ASSERT_NE(results, nullptr);
    const std::filesystem::path existing = desktop.folder.write("fig.svg", "an earlier figure");

    // "fig" names fig.svg: asked first, and kept on No.
    const QStringList questions = exportSvgTyping(*results, "fig", QMessageBox::No);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions.front().startsWith("fig.svg ")) << questions.front().toStdString();
    EXPECT_EQ(cpt::testing::readFile(existing), "an earlier figure");
    // Replaced on Yes.
    EXPECT_EQ(exportSvgTyping(*results, "fig", QMessageBox::Yes).size(), 1);
    EXPECT_NE(cpt::testing::readFile(existing).find("<svg"), std::string::npos);
    // A new name is written with the extension, unasked.
    EXPECT_TRUE(exportSvgTyping(*results, "fresh", QMessageBox::No).isEmpty());
    EXPECT_NE(cpt::testing::readFile(desktop.folder.path() / "fresh.svg").find("<svg"), std::string::npos);
}

}  // namespace
}  // namespace cpt::app
