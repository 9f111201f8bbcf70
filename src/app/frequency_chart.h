#pragma once
#include <QWidget>

#include "core/common/control_model.h"

QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

namespace cpt::app {

// The frequency chart of the last sort-and-count.
class FrequencyChart : public QWidget {
    Q_OBJECT
public:
    explicit FrequencyChart(QWidget* parent = nullptr);
    void showData(const ChartModel& chart);

private:
    QChartView* view_ = nullptr;
};

}  // namespace cpt::app
