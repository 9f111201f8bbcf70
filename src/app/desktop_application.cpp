#include "app/desktop_application.h"

#include <QApplication>
#include <QPushButton>
#include <array>
#include <exception>

#include "app/dedication_window.h"
#include "app/life_table_window.h"
#include "app/main_window_widget.h"
#include "app/read_wording.h"
#include "app/results_window.h"
#include "app/study_window.h"
#include "core/analysis/cartesian_run.h"
#include "core/analysis/parallel_jobs.h"
#include "desktop_model/cartesian/test_dialogue.h"
#include "desktop_model/shell/greetings.h"
#include "desktop_model/shell/main_window_model.h"
#include "desktop_model/sorting/normality_view.h"
#include "desktop_model/state/control_names.h"
#include "xlsx/read_treatments.h"

namespace cpt::app {
namespace {

struct Binding {
    ControlName control;
    MainWindowWidget::Gesture gesture;
    void (*procedure)(AppContext&);
};

// Which procedure a click on which control runs.
const std::array<Binding, 7> Bindings{{
    {control::Command1, MainWindowWidget::Gesture::Click, Command1_Click},
    {control::Label6, MainWindowWidget::Gesture::Click, Label6_Click},
    {control::Image1, MainWindowWidget::Gesture::Click, Image1_Click},
    {control::Label4, MainWindowWidget::Gesture::Click, Label4_Click},
    {control::Label4, MainWindowWidget::Gesture::DoubleClick, Label4_DblClick},
    {control::cmdCartesianDifference, MainWindowWidget::Gesture::Click, cmdCartesianDifference_Click},
    {control::cmdGeneralNormalTest, MainWindowWidget::Gesture::Click, cmdGeneralNormalTest_Click},
}};

}  // namespace

DesktopApplication::DesktopApplication(Dialogs& dialogs, Clock& clock, bool maintainerMode)
    : context_(dialogs, clock, maintainerMode) {
    LoadMainWindow(context_);
    mainWindow_ = std::make_unique<MainWindowWidget>(
        context_.window, [this](const QString& control, MainWindowWidget::Gesture gesture) {
            clicked(control, static_cast<int>(gesture));
        },
        [this] {
            // The window now answers the window system between pairs; a
            // close then waits, like every other gesture, for the run's end.
            if (running_) return false;
            run(Form1_Close);
            return true;
        },
        [this] { openResults(); });
    mainWindow_->setStudyHandler([this] { openStudy(); });
    mainWindow_->setLifeTableHandler([this] { openLifeTable(); });
    dedicationWindow_ = std::make_unique<DedicationWindow>(
        context_.window, [this] { run(Vater_Command1_Click); }, [this] { run(Vater_Close); });
    context_.window.setExitHandler([] { QCoreApplication::quit(); });
    context_.window.setRedrawHandler([this](std::string_view name) {
        mainWindow_->sync();
        if (QWidget* widget = mainWindow_->widget(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())))) {
            widget->repaint();
        }
        // Between pairs of a long run: let the window system see that the
        // program lives and draw what it asks for. Clicks and keys wait (the
        // run holds the window, and run() refuses a second procedure).
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    // The pairs run on every core; the window keeps drawing and answering
    // the window system while they do.
    context_.threads = availableThreads();
    context_.whileRunning = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    // Workbooks too, besides the core's text forms.
    context_.readTreatments = [](const std::filesystem::path& path, const ReadOptions& options) {
        ReadOptions worded = options;
        worded.wording = desktopReadWording();
        return readTreatments(path, worded);
    };
    connect(&timer_, &QTimer::timeout, this, &DesktopApplication::tick);
    timer_.start(500);
    syncWindows();
}

DesktopApplication::~DesktopApplication() {
    for (const QPointer<ResultsWindow>& window : resultsWindows_) delete window.data();
    delete lifeTableWindow_.data();
    delete studyWindow_.data();
}

void DesktopApplication::clicked(const QString& control, int gesture) {
    for (const Binding& binding : Bindings) {
        const std::string_view name = binding.control.text();
        if (control == QLatin1String(name.data(), static_cast<qsizetype>(name.size())) &&
            gesture == static_cast<int>(binding.gesture)) {
            run(binding.procedure);
            return;
        }
    }
}

void DesktopApplication::run(void (*procedure)(AppContext&)) {
    if (running_) return;  // an analysis holds the window until it ends
    running_ = true;
    try {
        procedure(context_);
    } catch (const std::exception& error) {
        context_.dialogs.tell(std::string("The program met an unexpected problem: ") + error.what(), "Error");
    }
    running_ = false;
    if (procedure == cmdCartesianDifference_Click) keepResults();
    syncWindows();
}

void DesktopApplication::keepResults() {
    const AnalysisState& state = context_.state;
    const std::shared_ptr<CartesianRun>& run = context_.cartesianRun;
    if (state.OutputFileName.empty() || !run || !run->result) {
        results_.reset();  // the run ended without a report
    } else {
        results_ = Results{QString::fromStdString(context_.outputPath(state.OutputFileName).string()),
                           figures::summarizeRun(*run->result, run->treatments)};
    }
    mainWindow_->setReportPath(results_ ? results_->reportPath : QString());
}

ResultsWindow* DesktopApplication::openResults() {
    if (!results_) return nullptr;
    std::erase_if(resultsWindows_, [](const QPointer<ResultsWindow>& window) { return window.isNull(); });
    for (const QPointer<ResultsWindow>& window : resultsWindows_) {
        if (window->reportPath() == results_->reportPath) {
            window->show();
            window->raise();
            window->activateWindow();
            return window;
        }
    }
    auto* window = new ResultsWindow(results_->reportPath, results_->summary);
    resultsWindows_.emplace_back(window);
    window->show();
    return window;
}

StudyWindow* DesktopApplication::openStudy() {
    if (running_) return nullptr;  // an analysis holds the window
    if (!studyWindow_) studyWindow_ = new StudyWindow(QString::fromStdString(context_.workingDirectory.string()));
    studyWindow_->show();
    studyWindow_->raise();
    studyWindow_->activateWindow();
    return studyWindow_;
}

LifeTableWindow* DesktopApplication::openLifeTable() {
    if (running_) return nullptr;  // an analysis holds the window
    if (!lifeTableWindow_) {
        lifeTableWindow_ =
            new LifeTableWindow(QString::fromStdString(context_.workingDirectory.string()), [this] { return openStudy(); });
    }
    lifeTableWindow_->show();
    lifeTableWindow_->raise();
    lifeTableWindow_->activateWindow();
    return lifeTableWindow_;
}

void DesktopApplication::tick() {
    if (running_) return;  // ticks wait while an analysis runs
    Timer1_Timer(context_);
    syncWindows();
}

void DesktopApplication::syncWindows() {
    mainWindow_->setGridLegend(context_.state.ReversedSort);
    mainWindow_->sync();
    dedicationWindow_->sync();
    mainWindow_->setVisible(context_.window[control::Form1].visible);
    dedicationWindow_->setVisible(context_.window[control::Vater].visible);
}

}  // namespace cpt::app
