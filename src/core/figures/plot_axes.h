#pragma once
// The plot area of a figure: value ranges mapped to figure units, round tick
// values, and the axes with their labels drawn into the figure.
#include <string>
#include <vector>

#include "core/figures/figure_model.h"

namespace cpt::figures {

// About `wanted` round values (1, 2 or 5 times a power of ten) covering
// [low, high]; the first is at most low and the last at least high.
std::vector<double> niceTicks(double low, double high, int wanted = 6);

// A number as an axis or mark label: at most four significant digits.
std::string shortNumber(double value);
// A P value as the figures show it: at most six significant digits, so that a
// P of 8310/40000 reads 0.20775, not a rounded 0.2077 or 0.2078.
std::string pValueText(double value);

// The width a text of this size takes, estimated (no font metrics in the core).
double textWidth(const std::string& text, double size);

struct PlotArea {
    double left = 0, top = 0, right = 0, bottom = 0;  // figure units
    double xLow = 0, xHigh = 1, yLow = 0, yHigh = 1;  // values

    double x(double value) const { return left + (value - xLow) / (xHigh - xLow) * (right - left); }
    double y(double value) const { return bottom - (value - yLow) / (yHigh - yLow) * (bottom - top); }
};

inline constexpr double TickLabelSize = 12;
inline constexpr double AxisTitleSize = 13;
inline constexpr double TitleSize = 15;

// The y axis with its ticks, labels and title (turned), and the frame's
// bottom line; the plot's left edge must leave room for the labels.
void drawYAxis(Figure& figure, const PlotArea& area, const std::vector<double>& ticks, const std::string& title);
// The x axis's ticks, labels and title below the plot.
void drawXAxis(Figure& figure, const PlotArea& area, const std::vector<double>& ticks, const std::string& title);
// The room the y axis's labels and title need left of the plot.
double yAxisRoom(const std::vector<double>& ticks);

}  // namespace cpt::figures
