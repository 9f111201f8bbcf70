#include "app/frequency_chart.h"

#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cpt::app {
namespace {

ChartModel wholeNumbers(int classes, double standardDeviation) {
    ChartModel chart;
    chart.title = "Data set " + std::to_string(classes);
    for (int value = 1; value <= classes; ++value) {
        chart.classValues.push_back(value);
        chart.classCounts.push_back(1 + value % 7);
    }
    chart.mean = (classes + 1) / 2.0;
    chart.standardDeviation = standardDeviation;
    return chart;
}

TEST(FrequencyChartTest, DrawsBarsAndTheNormalCurveWhereThereIsOne) {
    struct Case {
        ChartModel model;
        int series;  // bars, and the curve when the standard deviation gives one
    };
    const std::vector<Case> cases = {
        {wholeNumbers(40, 11.5), 2},
        {wholeNumbers(30000, 8660), 2},
        {wholeNumbers(1, 0), 1},
        {ChartModel{"Empty", {}, {}, 0, 0}, 0},
    };
    FrequencyChart widget;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model.title);
        widget.showData(c.model);
        widget.resize(800, 400);
        widget.grab();  // paints, so drawing problems show here too
        QChart* chart = widget.chart();
        EXPECT_EQ(chart->title(), QString::fromStdString(c.model.title));
        ASSERT_EQ(chart->series().size(), c.series);
        if (c.series == 0) continue;
        auto* bars = qobject_cast<QAreaSeries*>(chart->series().front());
        ASSERT_NE(bars, nullptr);
        EXPECT_LE(bars->upperSeries()->count(), 4 * 101);
        EXPECT_EQ(chart->axes(Qt::Horizontal).front()->titleText(), "Value");
        EXPECT_EQ(chart->axes(Qt::Vertical).front()->titleText(), "Frequency");
    }
}

TEST(FrequencyChartTest, SameDataKeepsTheChart) {
    FrequencyChart widget;
    widget.showData(wholeNumbers(5, 1.5));
    widget.chart()->setTitle("marked");
    widget.showData(wholeNumbers(5, 1.5));
    EXPECT_EQ(widget.chart()->title(), "marked");
    widget.showData(wholeNumbers(6, 1.5));
    EXPECT_EQ(widget.chart()->title(), "Data set 6");
}

}  // namespace
}  // namespace cpt::app
