#include "app/dedication_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/pictures.h"
#include "desktop_model/state/control_names.h"

namespace cpt::app {

DedicationWindow::DedicationWindow(const ControlModel& model, std::function<void()> onButton,
                                   std::function<void()> onClose)
    : model_(model), onClose_(std::move(onClose)) {
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(drawDedicationPicture(QSize(360, 260)));
    picture->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    layout->addStretch(1);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    button_ = new QPushButton(this);
    button_->setMinimumWidth(420);
    button_->setMinimumHeight(60);
    connect(button_, &QPushButton::clicked, this, [onButton] { onButton(); });
    layout->addWidget(button_, 0, Qt::AlignHCenter);
    layout->addStretch(3);
    sync();
}

void DedicationWindow::sync() {
    setWindowTitle(QString::fromStdString(model_[control::Vater].caption));
    // A long saying wraps inside the button.
    QString saying = QString::fromStdString(model_[control::Vater_Command1].caption);
    button_->setText(saying.replace(". (", ".\n("));
}

void DedicationWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    onClose_();
}

}  // namespace cpt::app
