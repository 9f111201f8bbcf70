#include "app/frequency_chart.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

#include "core/sorting/frequency_bins.h"

namespace cpt::app {
namespace {

bool sameData(const ChartModel& a, const ChartModel& b) {
    return a.title == b.title && a.mean == b.mean && a.standardDeviation == b.standardDeviation &&
           a.classValues == b.classValues && a.classCounts == b.classCounts;
}

QString shortNumber(double value) { return QString::number(value, 'g', 6); }

QAreaSeries* barsOf(const FrequencyBins& bins) {
    // Each bar goes up and down again, so its edges show even beside a bar of equal height.
    auto* outline = new QLineSeries();
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(bins.counts.size()) * 4);
    for (std::size_t b = 0; b < bins.counts.size(); ++b) {
        const double left = bins.start + bins.width * static_cast<double>(b);
        const double right = left + bins.width;
        points << QPointF(left, 0) << QPointF(left, bins.counts[b]) << QPointF(right, bins.counts[b])
               << QPointF(right, 0);
    }
    outline->replace(points);
    auto* bars = new QAreaSeries(outline);
    bars->setName(QObject::tr("Frequency"));
    bars->setBrush(QColor(70, 130, 180, 200));
    bars->setPen(QPen(QColor(25, 60, 110), 1));
    return bars;
}

QLineSeries* curveOf(const FrequencyBins& bins, const ChartModel& chart, double from, double to) {
    const double sd = chart.standardDeviation;
    const std::vector<double> xs = normalCurvePoints(from, to, chart.mean, sd);
    auto* curve = new QLineSeries();
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(xs.size()));
    for (double x : xs) points << QPointF(x, normalCountAt(bins, chart.mean, sd, x));
    curve->replace(points);
    curve->setName(QObject::tr("Normal curve (mean %1, SD %2)").arg(shortNumber(chart.mean), shortNumber(sd)));
    curve->setPen(QPen(QColor(200, 30, 30), 2));
    return curve;
}

QValueAxis* axis(const QString& title, double from, double to) {
    auto* result = new QValueAxis();
    result->setTitleText(title);
    result->setRange(from, to);
    result->setLabelFormat("%.6g");
    result->setTickCount(9);
    result->setTruncateLabels(false);  // a label is shown whole or not at all, never "0.1..."
    // Round tick values; the range grows a little to reach them.
    result->applyNiceNumbers();
    return result;
}

}  // namespace

FrequencyChart::FrequencyChart(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new QChartView(new QChart(), this);
    view_->setRenderHint(QPainter::Antialiasing);
    // A readable plot with its axis labels whole, whatever else is on show.
    view_->setMinimumHeight(300);
    layout->addWidget(view_);
}

QChart* FrequencyChart::chart() const { return view_->chart(); }

void FrequencyChart::showData(const ChartModel& model) {
    if (shown_ && sameData(*shown_, model)) return;
    shown_ = model;

    auto* chart = new QChart();
    chart->setTitle(QString::fromStdString(model.title));
    chart->legend()->setAlignment(Qt::AlignBottom);
    const FrequencyBins bins = binClasses(model);
    if (!bins.counts.empty()) {
        const bool withCurve = hasNormalCurve(model.standardDeviation);
        double top = bins.maxCount();
        if (withCurve) {
            // A curve far taller than the bars would flatten them; it is cut off instead.
            const double peak = normalCountAt(bins, model.mean, model.standardDeviation, model.mean);
            top = std::max(top, std::min(peak, 2 * top));
        }
        QValueAxis* values = axis(tr("Value"), bins.start, bins.end());
        QValueAxis* counts = axis(tr("Frequency"), 0, top > 0 ? top * 1.1 : 1);
        chart->addAxis(values, Qt::AlignBottom);
        chart->addAxis(counts, Qt::AlignLeft);
        chart->addSeries(barsOf(bins));
        if (withCurve) chart->addSeries(curveOf(bins, model, values->min(), values->max()));
        for (QAbstractSeries* series : chart->series()) {
            series->attachAxis(values);
            series->attachAxis(counts);
        }
    }
    QChart* previous = view_->chart();
    view_->setChart(chart);
    delete previous;
}

}  // namespace cpt::app
