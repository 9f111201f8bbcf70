#include "app/desktop_application.h"

#include <QApplication>
#include <QPushButton>
#include <array>
#include <exception>

#include "app/dedication_window.h"
#include "app/main_window_widget.h"
#include "core/cartesian/test_dialogue.h"
#include "core/shell/greetings.h"
#include "core/shell/main_window_model.h"
#include "core/sorting/normality_view.h"
#include "core/state/control_names.h"

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
        [this] { run(Form1_Close); });
    dedicationWindow_ = std::make_unique<DedicationWindow>(
        context_.window, [this] { run(Vater_Command1_Click); }, [this] { run(Vater_Close); });
    context_.window.setExitHandler([] { QCoreApplication::quit(); });
    context_.window.setRedrawHandler([this](std::string_view name) {
        mainWindow_->sync();
        if (QWidget* widget = mainWindow_->widget(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())))) {
            widget->repaint();
        }
    });
    connect(&timer_, &QTimer::timeout, this, &DesktopApplication::tick);
    timer_.start(500);
    syncWindows();
}

DesktopApplication::~DesktopApplication() = default;

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
    syncWindows();
}

void DesktopApplication::tick() {
    if (running_) return;  // ticks wait while an analysis runs
    Timer1_Timer(context_);
    syncWindows();
}

void DesktopApplication::syncWindows() {
    mainWindow_->sync();
    dedicationWindow_->sync();
    mainWindow_->setVisible(context_.window[control::Form1].visible);
    dedicationWindow_->setVisible(context_.window[control::Vater].visible);
}

}  // namespace cpt::app
