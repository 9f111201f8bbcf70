#pragma once
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

#include "core/figures/run_summary.h"

#include "desktop_model/state/app_context.h"

namespace cpt::app {

class MainWindowWidget;
class DedicationWindow;
class ResultsWindow;
class StudyWindow;
class LifeTableWindow;

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

    // The Results window of the last report, opened (or raised when it is
    // open) on the user's request; nullptr when no run has written a report.
    ResultsWindow* openResults();
    // The Study window, opened (or raised) on the user's request.
    StudyWindow* openStudy();
    // The Life table window, opened (or raised) on the user's request.
    LifeTableWindow* openLifeTable();

private:
    void clicked(const QString& control, int gesture);
    // After a Cartesian run: the results of its report, or none.
    void keepResults();

    struct Results {
        QString reportPath;
        figures::RunSummary summary;
    };

    AppContext context_;
    std::unique_ptr<MainWindowWidget> mainWindow_;
    std::unique_ptr<DedicationWindow> dedicationWindow_;
    QTimer timer_;
    bool running_ = false;
    std::optional<Results> results_;
    std::vector<QPointer<ResultsWindow>> resultsWindows_;
    QPointer<StudyWindow> studyWindow_;
    QPointer<LifeTableWindow> lifeTableWindow_;
};

}  // namespace cpt::app
