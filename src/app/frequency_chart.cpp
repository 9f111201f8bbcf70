#include "app/frequency_chart.h"

#include <QChart>
#include <QChartView>
#include <QVBoxLayout>

namespace cpt::app {

FrequencyChart::FrequencyChart(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new QChartView(new QChart(), this);
    layout->addWidget(view_);
}

void FrequencyChart::showData(const ChartModel& chart) { view_->chart()->setTitle(QString::fromStdString(chart.title)); }

}  // namespace cpt::app
