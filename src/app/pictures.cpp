#include "app/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace cpt::app {

QPixmap drawStartPicture(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(235, 245, 225));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();

    // Leaf.
    QPainterPath leaf;
    leaf.moveTo(w * 0.08, h * 0.85);
    leaf.cubicTo(w * 0.15, h * 0.15, w * 0.75, h * 0.05, w * 0.92, h * 0.2);
    leaf.cubicTo(w * 0.8, h * 0.7, w * 0.4, h * 0.95, w * 0.08, h * 0.85);
    p.setPen(QPen(QColor(40, 100, 40), 3));
    p.setBrush(QColor(110, 170, 80));
    p.drawPath(leaf);
    p.setPen(QPen(QColor(60, 120, 50), 2));
    p.drawLine(QPointF(w * 0.08, h * 0.85), QPointF(w * 0.9, h * 0.22));

    // Insect: body, head and six legs.
    const QPointF body(w * 0.55, h * 0.45);
    p.setPen(QPen(Qt::black, 2));
    for (int side : {-1, 1}) {
        for (int leg = -1; leg <= 1; ++leg) {
            p.drawLine(body + QPointF(leg * w * 0.03, 0), body + QPointF(leg * w * 0.06, side * h * 0.1));
        }
    }
    p.setBrush(QColor(170, 40, 30));
    p.drawEllipse(body, w * 0.07, h * 0.06);
    p.setBrush(Qt::black);
    p.drawEllipse(body + QPointF(w * 0.085, 0), w * 0.025, h * 0.03);
    p.drawEllipse(body + QPointF(-w * 0.02, -h * 0.02), w * 0.012, h * 0.012);
    p.drawEllipse(body + QPointF(w * 0.02, h * 0.02), w * 0.012, h * 0.012);

    // A survival curve in the corner.
    p.setPen(QPen(QColor(30, 30, 120), 2));
    p.setBrush(Qt::NoBrush);
    const QRectF plot(w * 0.62, h * 0.62, w * 0.32, h * 0.3);
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    QPainterPath curve;
    for (int i = 0; i <= 40; ++i) {
        double x = i / 40.0;
        QPointF point(plot.left() + x * plot.width(), plot.bottom() - std::exp(-3 * x * x) * plot.height());
        if (i == 0) curve.moveTo(point); else curve.lineTo(point);
    }
    p.drawPath(curve);
    return pixmap;
}

QPixmap drawAuthorPhoto(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(200, 215, 235));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 70, 90));
    p.drawEllipse(QPointF(w * 0.5, h * 1.05), w * 0.45, h * 0.4);  // shoulders
    p.setBrush(QColor(230, 190, 160));
    p.drawEllipse(QPointF(w * 0.5, h * 0.42), w * 0.22, h * 0.25);  // face
    p.setBrush(QColor(90, 90, 90));
    QPainterPath hair;
    hair.moveTo(w * 0.28, h * 0.38);
    hair.cubicTo(w * 0.3, h * 0.1, w * 0.7, h * 0.1, w * 0.72, h * 0.38);
    hair.cubicTo(w * 0.6, h * 0.25, w * 0.4, h * 0.25, w * 0.28, h * 0.38);
    p.drawPath(hair);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(w * 0.42, h * 0.42), w * 0.06, h * 0.04);  // glasses
    p.drawEllipse(QPointF(w * 0.58, h * 0.42), w * 0.06, h * 0.04);
    p.drawLine(QPointF(w * 0.48, h * 0.42), QPointF(w * 0.52, h * 0.42));
    p.drawArc(QRectF(w * 0.42, h * 0.48, w * 0.16, h * 0.1), 200 * 16, 140 * 16);  // smile
    return pixmap;
}

QPixmap drawDedicationPicture(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(250, 245, 230));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 80, 40));
    p.drawRect(QRectF(w * 0.46, h * 0.5, w * 0.08, h * 0.45));  // trunk
    p.setBrush(QColor(70, 140, 60));
    p.drawEllipse(QPointF(w * 0.5, h * 0.35), w * 0.3, h * 0.28);
    p.drawEllipse(QPointF(w * 0.32, h * 0.45), w * 0.18, h * 0.16);
    p.drawEllipse(QPointF(w * 0.68, h * 0.45), w * 0.18, h * 0.16);
    p.setBrush(QColor(90, 160, 70));
    p.drawRect(QRectF(0, h * 0.93, w, h * 0.07));  // ground
    return pixmap;
}

}  // namespace cpt::app
