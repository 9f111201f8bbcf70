#pragma once
#include <QWidget>
#include <optional>

#include "desktop_model/common/control_model.h"

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
QT_END_NAMESPACE

namespace cpt::app {

// The frequency chart of the last sort-and-count: its classes as bars on a
// value axis, gathered into at most about a hundred bars, with the normal
// curve of the same mean and standard deviation drawn over them in counts.
class FrequencyChart : public QWidget {
    Q_OBJECT
public:
    explicit FrequencyChart(QWidget* parent = nullptr);
    // Cheap when the data have not changed: the window calls it on every redraw.
    void showData(const ChartModel& chart);
    QChart* chart() const;

private:
    QChartView* view_ = nullptr;
    std::optional<ChartModel> shown_;
};

}  // namespace cpt::app
