#pragma once
#include <QWidget>

#include "core/figures/figure_model.h"

namespace cpt::app {

// Shows a figure of the core's model, scaled to the widget; the same
// drawing as its PNG and PDF forms.
class FigureView : public QWidget {
    Q_OBJECT
public:
    explicit FigureView(QWidget* parent = nullptr);
    void setFigure(figures::Figure figure);
    const figures::Figure& figure() const { return figure_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    figures::Figure figure_;
};

}  // namespace cpt::app
