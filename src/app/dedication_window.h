#pragma once
#include <QWidget>
#include <functional>

#include "desktop_model/common/control_model.h"

class QPushButton;

namespace cpt::app {

// "Dedication": a picture and one button that carries a teacher saying. Its
// button or its closing ends the program.
class DedicationWindow : public QWidget {
    Q_OBJECT
public:
    DedicationWindow(const ControlModel& model, std::function<void()> onButton, std::function<void()> onClose);
    void sync();
    QPushButton* button() const { return button_; }

protected:
    void closeEvent(class QCloseEvent* event) override;

private:
    const ControlModel& model_;
    std::function<void()> onClose_;
    QPushButton* button_ = nullptr;
};

}  // namespace cpt::app
