#pragma once
#include <QLabel>
#include <QMouseEvent>
#include <utility>

namespace cpt::app {

// A label that reports clicks and double-clicks, as the clock, the saying
// and the start picture need.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        // The release that ends a double-click is not a click of its own: the
        // double-click must have the last word.
        bool endsDoubleClick = std::exchange(inDoubleClick_, false);
        if (!endsDoubleClick && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            emit clicked();
        }
        QLabel::mouseReleaseEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            inDoubleClick_ = true;
            emit doubleClicked();
        }
        QLabel::mouseDoubleClickEvent(event);
    }

private:
    bool inDoubleClick_ = false;
};

}  // namespace cpt::app
