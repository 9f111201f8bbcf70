#pragma once
#include <QMainWindow>
#include <QHash>
#include <functional>

#include "desktop_model/common/control_model.h"

class QLabel;
class QScrollArea;
class QTableWidget;

namespace cpt::app {

// Object names of the parts the described window has not.
namespace main_parts {
inline constexpr char StudyButton[] = "studyButton";
inline constexpr char LifeTableButton[] = "lifeTableButton";
}  // namespace main_parts

class FrequencyChart;

// Draws the main window's control model with real widgets and passes the
// clicks on by control name.
class MainWindowWidget : public QMainWindow {
    Q_OBJECT
public:
    enum class Gesture { Click, DoubleClick };
    using ClickHandler = std::function<void(const QString& control, Gesture gesture)>;
    // False while an analysis holds the window: the close is refused.
    using CloseHandler = std::function<bool()>;
    using ResultsHandler = std::function<void()>;

    MainWindowWidget(const ControlModel& model, ClickHandler onClick, CloseHandler onClose, ResultsHandler onResults);

    // The full path of the report named in the output-file caption (empty:
    // none): its tooltip, and what a click, Enter or Ctrl+R opens.
    void setReportPath(const QString& path);
    const QString& reportPath() const { return reportPath_; }
    // The line under the overview grid says which way the differences go.
    void setGridLegend(bool reversedOrder);
    // What "Study table..." (the report menu, Ctrl+T) opens.
    void setStudyHandler(std::function<void()> onStudy) { onStudy_ = std::move(onStudy); }
    // What "Life tables from records..." (the report menu, Ctrl+L) opens.
    void setLifeTableHandler(std::function<void()> onLifeTable) { onLifeTable_ = std::move(onLifeTable); }
    static QString gridLegendText(bool reversedOrder);
    // Brings every widget in line with the model.
    void sync();
    // The widget of a named control (nullptr for controls without one).
    QWidget* widget(const QString& name) const { return widgets_.value(name, nullptr); }

protected:
    void closeEvent(class QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildFrame(const QString& name, int columns);
    QWidget* buildGraphFrame();
    QWidget* buildAuthorFrame();
    void add(const QString& name, QWidget* widget) { widgets_.insert(name, widget); }
    // The output-file caption, which names the report.
    QWidget* reportCaption() const;
    void syncGrid();
    void showReportMenu(const QPoint& position);

    const ControlModel& model_;
    ClickHandler onClick_;
    CloseHandler onClose_;
    ResultsHandler onResults_;
    std::function<void()> onStudy_;
    std::function<void()> onLifeTable_;
    QString reportPath_;
    QLabel* gridLegend_ = nullptr;
    QScrollArea* menuScroll_ = nullptr;
    QHash<QString, QWidget*> widgets_;
    QHash<QString, QString> appliedText_;
    QTableWidget* grid_ = nullptr;
    FrequencyChart* chart_ = nullptr;
};

}  // namespace cpt::app
