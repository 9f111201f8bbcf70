#pragma once
#include <QObject>
#include <QTimer>
#include <memory>

#include "core/state/app_context.h"

namespace cpt::app {

class MainWindowWidget;
class DedicationWindow;

// The desktop program: one application context, the two windows that draw
// it, the 500 ms timer, and the routing of clicks to the procedures.
class DesktopApplication : public QObject {
    Q_OBJECT
public:
    DesktopApplication(Dialogs& dialogs, Clock& clock, bool maintainerMode);
    ~DesktopApplication() override;

    AppContext& context() { return context_; }
    MainWindowWidget& mainWindow() { return *mainWindow_; }
    DedicationWindow& dedicationWindow() { return *dedicationWindow_; }

    // Runs a procedure of the main window, then redraws both windows. A
    // failure nobody caught becomes a message instead of a crash.
    void run(void (*procedure)(AppContext&));
    void tick();
    void syncWindows();

private:
    void clicked(const QString& control, int gesture);

    AppContext context_;
    std::unique_ptr<MainWindowWidget> mainWindow_;
    std::unique_ptr<DedicationWindow> dedicationWindow_;
    QTimer timer_;
    bool running_ = false;
};

}  // namespace cpt::app
