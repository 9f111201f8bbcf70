#pragma once
#include <QMainWindow>
#include <QHash>
#include <functional>

#include "core/common/control_model.h"

class QTableWidget;

namespace cpt::app {

class FrequencyChart;

// Draws the main window's control model with real widgets and passes the
// clicks on by control name.
class MainWindowWidget : public QMainWindow {
    Q_OBJECT
public:
    enum class Gesture { Click, DoubleClick };
    using ClickHandler = std::function<void(const QString& control, Gesture gesture)>;
    using CloseHandler = std::function<void()>;

    MainWindowWidget(const ControlModel& model, ClickHandler onClick, CloseHandler onClose);

    // Brings every widget in line with the model.
    void sync();
    // The widget of a named control (nullptr for controls without one).
    QWidget* widget(const QString& name) const { return widgets_.value(name, nullptr); }

protected:
    void closeEvent(class QCloseEvent* event) override;

private:
    QWidget* buildFrame(const QString& name, int columns);
    QWidget* buildGraphFrame();
    QWidget* buildAuthorFrame();
    void add(const QString& name, QWidget* widget) { widgets_.insert(name, widget); }
    void syncGrid();

    const ControlModel& model_;
    ClickHandler onClick_;
    CloseHandler onClose_;
    QHash<QString, QWidget*> widgets_;
    QHash<QString, QString> appliedText_;
    QTableWidget* grid_ = nullptr;
    FrequencyChart* chart_ = nullptr;
};

}  // namespace cpt::app
