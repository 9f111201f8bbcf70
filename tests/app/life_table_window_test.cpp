// The Life table window: records read and their estimates shown before the
// bootstrap, the files cpt life-table writes (byte for byte), bad records
// and a stop leaving nothing, and the files handed to the Study window.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>

#include "app/desktop_application.h"
#include "app/life_table_window.h"
#include "app/main_window_widget.h"
#include "app/study_window.h"
#include "core/common/number_format.h"
#include "core/common/user_error.h"
#include "core/life/life_files.h"
#include "support/scripted_dialogs.h"
#include "support/test_clock.h"
#include "support/test_files.h"
#include "xlsx/read_treatments.h"

#ifdef CPT_EXECUTABLE
#include "cli/cpt_process.h"
#endif

namespace cpt::app {
namespace {

using cpt::testing::readFile;
using cpt::testing::TempFolder;

// Two treatments of twelve individuals in long form; the females lay from
// day 3, unless only the first of each treatment lays at all.
std::string longRecords(bool fewLayers = false) {
    std::string text = "treatment,individual,sex,age,eggs\n";
    for (const std::string treatment : {"Maize", "Bean"}) {
        for (int i = 0; i < 12; ++i) {
            const bool female = i % 3 != 0;
            const int days = 2 + (i * 5 + static_cast<int>(treatment.size())) % 11;
            for (int age = 1; age <= days; ++age) {
                int eggs = female && age >= 3 ? (i + age + static_cast<int>(treatment.size())) % 4 : 0;
                if (fewLayers && i != 1) eggs = 0;
                text += treatment + "," + treatment.substr(0, 1) + std::to_string(i) + "," + (female ? "f" : "m") +
                        "," + std::to_string(age) + "," + std::to_string(eggs) + "\n";
            }
        }
    }
    return text;
}

template <typename Widget>
Widget* part(const QWidget& window, const char* name) {
    Widget* widget = window.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void choose(LifeTableWindow& window, int B, const QString& seed) {
    part<QSpinBox>(window, life_parts::Bootstrap)->setValue(B);
    part<QLineEdit>(window, life_parts::Seed)->setText(seed);
}

// Every setting in the window's parts.
void choose(LifeTableWindow& window, const life::LifeSettings& settings) {
    choose(window, static_cast<int>(settings.bootstrap), QString::number(settings.seed));
    part<QComboBox>(window, life_parts::Cohort)->setCurrentIndex(settings.cohort == life::Cohort::Females ? 1 : 0);
    part<QDoubleSpinBox>(window, life_parts::FemaleOffspring)->setValue(settings.femaleOffspring);
    part<QComboBox>(window, life_parts::ZeroOffspring)
        ->setCurrentIndex(settings.zeroOffspring == life::ZeroOffspring::Drop ? 1 : 0);
    for (const life::LifeParameter parameter : life::AllLifeParameters) {
        const QString name = QString(life_parts::ParameterPrefix) + QString::fromStdString(std::string(life::parameterCode(parameter)));
        part<QCheckBox>(window, name.toLatin1().constData())
            ->setChecked(std::find(settings.parameters.begin(), settings.parameters.end(), parameter) !=
                         settings.parameters.end());
    }
}

// What cpt life-table writes for these records with the same settings.
void writeAsCpt(const std::string& records, const life::LifeSettings& settings, const TempFolder& folder) {
#ifdef CPT_EXECUTABLE
    std::string parameters;
    for (const life::LifeParameter parameter : settings.parameters) {
        if (!parameters.empty()) parameters += ',';
        parameters += life::parameterCode(parameter);
    }
    const cpt::testing::ProcessResult run = cpt::testing::runCpt(
        {"life-table", "-C", folder.path().string(), "--bootstrap", std::to_string(settings.bootstrap), "--seed",
         std::to_string(settings.seed), "--parameters", parameters, "--cohort",
         settings.cohort == life::Cohort::Females ? "females" : "all", "--female-offspring",
         textNumber(settings.femaleOffspring), "--zero-offspring",
         settings.zeroOffspring == life::ZeroOffspring::Drop ? "drop" : "refuse", records},
        folder.path());
    ASSERT_EQ(run.status, 0) << run.err;
#else
    life::Records read;
    life::addRecords(read, readRecords(records));
    life::writeLifeFiles(life::runLifeTables(read, settings), folder.path());
#endif
}

void writeAsCpt(const std::string& records, int B, const std::string& seed, const TempFolder& folder) {
    life::LifeSettings settings;
    settings.bootstrap = B;
    settings.seed = std::stoull(seed);
    writeAsCpt(records, settings, folder);
}

void expectSameFiles(const TempFolder& out, const TempFolder& expected) {
    ASSERT_EQ(out.files(), expected.files());
    for (const std::string& name : expected.files()) {
        EXPECT_EQ(readFile(out.path() / name), readFile(expected.path() / name)) << name;
    }
}

TEST(LifeTableWindow, WritesTheFilesCptLifeTableWrites) {
    TempFolder in, out, expected;
    const std::string records = in.write("records.csv", longRecords()).string();
    LifeTableWindow window(QString::fromStdString(out.path().string()), {});
    auto* run = part<QPushButton>(window, life_parts::Run);
    EXPECT_FALSE(run->isEnabled());
    window.addFiles({QString::fromStdString(records)});
    choose(window, 300, "7");

    // Before the bootstrap: each treatment's n0 and estimates, as the core works them out.
    auto* estimates = part<QTableWidget>(window, life_parts::Estimates);
    ASSERT_EQ(estimates->rowCount(), 2);
    EXPECT_EQ(estimates->item(0, 0)->text(), "Maize");
    EXPECT_EQ(estimates->item(1, 0)->text(), "Bean");
    EXPECT_EQ(estimates->item(0, 1)->text(), "12");
    life::Records read;
    life::addRecords(read, readRecords(records));
    const life::LifeTable maize = life::lifeTableOf(life::cohortOf(read.treatments[0], life::Cohort::All), 1);
    EXPECT_EQ(estimates->item(0, 2)->toolTip().toStdString(), textNumber(*maize.estimates.r));
    EXPECT_EQ(estimates->item(0, 2)->text(), QString::number(*maize.estimates.r, 'g', 6));
    EXPECT_EQ(estimates->item(0, 4)->toolTip().toStdString(), textNumber(*maize.estimates.R0));
    // The females' cohort: fewer individuals.
    part<QComboBox>(window, life_parts::Cohort)->setCurrentIndex(1);
    EXPECT_EQ(estimates->item(0, 1)->text(), "8");
    part<QComboBox>(window, life_parts::Cohort)->setCurrentIndex(0);
    EXPECT_TRUE(out.files().empty());  // nothing is written before the run

    ASSERT_TRUE(run->isEnabled());
    QTest::mouseClick(run, Qt::LeftButton);
    writeAsCpt(records, 300, "7", expected);
    ASSERT_EQ(out.files(), expected.files());
    EXPECT_EQ(out.files().size(), 12U);
    for (const std::string& name : expected.files()) {
        EXPECT_EQ(readFile(out.path() / name), readFile(expected.path() / name)) << name;
    }
    EXPECT_EQ(window.written().size(), 12U);
    const QString shown = part<QTextBrowser>(window, life_parts::Written)->toPlainText();
    EXPECT_TRUE(shown.contains("Maize-r.txt") && shown.contains("Bean-life-table.csv")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("n0 = 12, B = 300, seed 8")) << shown.toStdString();  // Bean: seed + 1

    // A folder that is gone: told, and the files of the last run are no longer offered.
    window.setOutputFolder(QString::fromStdString((out.path() / "gone").string()));
    EXPECT_FALSE(window.run());
    const QString told = part<QTextBrowser>(window, life_parts::Written)->toPlainText();
    EXPECT_TRUE(told.contains("gone") && told.contains("No file was written")) << told.toStdString();
    EXPECT_FALSE(part<QPushButton>(window, life_parts::OpenStudy)->isEnabled());
    EXPECT_EQ(out.files().size(), 12U);
    window.setOutputFolder(QString::fromStdString(out.path().string()));

    // A second run replaces nothing.
    ASSERT_TRUE(window.run());
    EXPECT_EQ(out.files().size(), 24U);
    EXPECT_EQ(readFile(out.path() / "Maize-r (2).txt"), readFile(expected.path() / "Maize-r.txt"));
}

// The cohort, s, the zero-offspring rule and the parameters reach the core as cpt's options do.
TEST(LifeTableWindow, EverySettingIsTheOneCptTakes) {
    struct Case {
        bool fewLayers;
        std::int64_t B;
        std::uint64_t seed;
        life::Cohort cohort;
        double s;
        life::ZeroOffspring rule;
        std::vector<life::LifeParameter> parameters;
    };
    using P = life::LifeParameter;
    const Case cases[] = {
        {false, 120, 3, life::Cohort::Females, 0.5, life::ZeroOffspring::Refuse, {P::R, P::Longevity, P::Fecundity}},
        {true, 200, 11, life::Cohort::All, 1, life::ZeroOffspring::Refuse, {P::R, P::Lambda, P::R0, P::T, P::GRR}},
        {true, 150, 5, life::Cohort::Females, 0.25, life::ZeroOffspring::Drop, {P::T, P::GRR, P::R}},
    };
    for (const Case& c : cases) {
        TempFolder in, out, expected;
        const std::string records = in.write("records.csv", longRecords(c.fewLayers)).string();
        life::LifeSettings settings;
        settings.bootstrap = c.B;
        settings.seed = c.seed;
        settings.cohort = c.cohort;
        settings.femaleOffspring = c.s;
        settings.zeroOffspring = c.rule;
        settings.parameters = c.parameters;
        LifeTableWindow window(QString::fromStdString(out.path().string()), {});
        window.addFiles({QString::fromStdString(records)});
        choose(window, settings);
        ASSERT_TRUE(window.run()) << part<QLabel>(window, life_parts::Problem)->text().toStdString();
        writeAsCpt(records, settings, expected);
        expectSameFiles(out, expected);
    }
}

TEST(LifeTableWindow, ABadRecordsFileIsShownWithItsMessageAndWritesNothing) {
    struct Case {
        const char* what;
        std::string text;
        const char* told;  // a piece of the reader's message
    };
    const Case cases[] = {
        {"negative eggs", "individual,age,eggs\na,1,0\na,2,-3\n", "a"},
        {"a gap in the ages", "individual,age,eggs\na,1,0\na,3,2\n", "a"},
        {"an unknown sex", "individual,sex,age,eggs\na,x,1,0\n", "a"},
    };
    for (const Case& c : cases) {
        TempFolder in, out;
        const std::string good = in.write("Good.csv", longRecords()).string();
        const std::string bad = in.write("Bad records.csv", c.text).string();
        std::string message;
        try {
            readRecords(bad);
        } catch (const UserError& error) {
            message = error.what();
        }
        ASSERT_FALSE(message.empty()) << c.what;
        LifeTableWindow window(QString::fromStdString(out.path().string()), {});
        window.addFiles({QString::fromStdString(good), QString::fromStdString(bad)});
        choose(window, 50, "1");
        const QString problem = part<QLabel>(window, life_parts::Problem)->text();
        EXPECT_TRUE(problem.contains(QString::fromStdString(message))) << c.what << ": " << problem.toStdString();
        EXPECT_TRUE(problem.contains("Bad records.csv")) << problem.toStdString();
        EXPECT_FALSE(problem.contains("--")) << problem.toStdString();
        EXPECT_FALSE(part<QPushButton>(window, life_parts::Run)->isEnabled()) << c.what;
        EXPECT_FALSE(window.run()) << c.what;
        EXPECT_TRUE(out.files().empty()) << c.what;
        // Taken away, the good file alone runs.
        window.clearFiles();
        window.addFiles({QString::fromStdString(good)});
        EXPECT_TRUE(window.run()) << c.what;
    }
}

TEST(LifeTableWindow, TheSettingsAreToldInTheWindowsOwnWords) {
    TempFolder in, out;
    const std::string records = in.write("records.csv", "individual,age,eggs\na,1,0\na,2,3\nb,1,1\n").string();
    LifeTableWindow window(QString::fromStdString(out.path().string()), {});
    window.addFiles({QString::fromStdString(records)});
    auto problem = [&] { return part<QLabel>(window, life_parts::Problem)->text(); };
    // A cohort of females from records without a sex column.
    part<QComboBox>(window, life_parts::Cohort)->setCurrentIndex(1);
    EXPECT_TRUE(problem().contains("sex")) << problem().toStdString();
    EXPECT_FALSE(problem().contains("--")) << problem().toStdString();
    EXPECT_FALSE(part<QPushButton>(window, life_parts::Run)->isEnabled());
    part<QComboBox>(window, life_parts::Cohort)->setCurrentIndex(0);
    EXPECT_TRUE(part<QPushButton>(window, life_parts::Run)->isEnabled());
    for (const char* seed : {"", "-1", "1.5", "seven", "18446744073709551616"}) {
        part<QLineEdit>(window, life_parts::Seed)->setText(seed);
        EXPECT_FALSE(part<QPushButton>(window, life_parts::Run)->isEnabled()) << seed;
        EXPECT_TRUE(problem().contains("seed")) << seed;
    }
    part<QLineEdit>(window, life_parts::Seed)->setText("18446744073709551615");
    EXPECT_TRUE(part<QPushButton>(window, life_parts::Run)->isEnabled());
}

TEST(LifeTableWindow, ReplicatesWithoutOffspringAreNamedAndTheirFilesLeftOut) {
    TempFolder in, out;
    const std::string records = in.write("records.csv", longRecords(true)).string();
    LifeTableWindow window(QString::fromStdString(out.path().string()), {});
    window.addFiles({QString::fromStdString(records)});
    choose(window, 200, "1");
    ASSERT_TRUE(window.run());
    const std::vector<std::string> files = out.files();
    EXPECT_EQ(std::count(files.begin(), files.end(), "Maize-r.txt"), 0);
    EXPECT_EQ(std::count(files.begin(), files.end(), "Maize-R0.txt"), 1);
    const QString shown = part<QTextBrowser>(window, life_parts::Written)->toPlainText();
    EXPECT_TRUE(shown.contains("Maize") && shown.contains("replicates without offspring")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("drop the replicates without offspring")) << shown.toStdString();
    EXPECT_FALSE(shown.contains("--")) << shown.toStdString();

    // Dropped, r and T are written from the other replicates.
    part<QComboBox>(window, life_parts::ZeroOffspring)->setCurrentIndex(1);
    ASSERT_TRUE(window.run());
    EXPECT_TRUE(std::filesystem::exists(out.path() / "Maize-r.txt"));
    EXPECT_TRUE(part<QTextBrowser>(window, life_parts::Written)->toPlainText().contains("dropped"));
}

// While the replicates run the window keeps drawing and only Stop takes a
// click; a stop writes nothing.
TEST(LifeTableWindow, AStopWritesNothing) {
    TempFolder in, out;
    const std::string records = in.write("records.csv", longRecords()).string();
    LifeTableWindow window(QString::fromStdString(out.path().string()), {});
    window.addFiles({QString::fromStdString(records)});
    choose(window, 400'000, "1");
    window.show();
    bool clearTaken = false, closed = false;
    QTimer::singleShot(0, &window, [&] {
        // A click elsewhere waits; the window stays open.
        auto* clear = part<QPushButton>(window, life_parts::ClearFiles);
        clear->setEnabled(true);  // as if it had not been held
        QObject::connect(clear, &QPushButton::clicked, [&] { clearTaken = true; });
        QTest::mouseClick(clear, Qt::LeftButton);
        closed = window.close();
        QTest::mouseClick(part<QPushButton>(window, life_parts::Stop), Qt::LeftButton);
    });
    EXPECT_FALSE(window.run());
    EXPECT_FALSE(clearTaken);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(out.files().empty());
    EXPECT_TRUE(part<QTextBrowser>(window, life_parts::Written)->toPlainText().contains("Stopped"));
    EXPECT_TRUE(part<QPushButton>(window, life_parts::Run)->isEnabled());
    EXPECT_FALSE(part<QPushButton>(window, life_parts::OpenStudy)->isEnabled());
}

TEST(LifeTableWindow, OpensFromTheMainWindowAndHandsItsFilesToTheStudyWindow) {
    cpt::testing::ScriptedDialogs dialogs;
    cpt::testing::TestClock clock;
    DesktopApplication desktop(dialogs, clock, false);
    auto lifeWindows = [] {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) count += qobject_cast<LifeTableWindow*>(widget) != nullptr;
        return count;
    };
    desktop.tick();
    EXPECT_EQ(lifeWindows(), 0);
    // Ctrl+L of the main window opens it.
    for (QShortcut* shortcut : desktop.mainWindow().findChildren<QShortcut*>()) {
        if (shortcut->key() == QKeySequence(Qt::CTRL | Qt::Key_L)) emit shortcut->activated();
    }
    EXPECT_EQ(lifeWindows(), 1);
    LifeTableWindow* window = desktop.openLifeTable();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(desktop.openLifeTable(), window);
    EXPECT_EQ(lifeWindows(), 1);

    TempFolder in, out;
    window->setOutputFolder(QString::fromStdString(out.path().string()));
    window->addFiles({QString::fromStdString(in.write("records.csv", longRecords()).string())});
    choose(*window, 100, "1");
    auto* openStudy = part<QPushButton>(*window, life_parts::OpenStudy);
    EXPECT_FALSE(openStudy->isEnabled());
    ASSERT_TRUE(window->run());
    ASSERT_TRUE(openStudy->isEnabled());
    QTest::mouseClick(openStudy, Qt::LeftButton);
    StudyWindow* study = desktop.openStudy();
    ASSERT_NE(study, nullptr);
    // Five parameters of two treatments, ready to run, their reports beside the files.
    auto* grid = part<QTableWidget>(*study, study_parts::Grouping);
    EXPECT_EQ(grid->rowCount(), 5);
    EXPECT_EQ(grid->columnCount(), 2);
    EXPECT_TRUE(study->canRun());
    EXPECT_EQ(part<QLabel>(*study, study_parts::Folder)->text().toStdString(), out.path().string());
    EXPECT_TRUE(dialogs.allAnswered());
}

}  // namespace
}  // namespace cpt::app
