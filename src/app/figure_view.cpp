#include "app/figure_view.h"

#include <QPainter>

#include "figure_export/figure_rendering.h"

namespace cpt::app {

FigureView::FigureView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(360, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void FigureView::setFigure(figures::Figure figure) {
    figure_ = std::move(figure);
    updateGeometry();
    update();
}

QSize FigureView::sizeHint() const { return QSize(qRound(figure_.width), qRound(figure_.height)); }

void FigureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    figure_export::paintFigure(painter, figure_, QRectF(rect()));
}

}  // namespace cpt::app
