#pragma once
// What the frequency chart draws, worked out without the toolkit: the class
// table gathered into at most a hundred or so equal bins on a value axis, and
// the normal curve of the same mean and standard deviation in counts per bin.
#include <vector>

#include "core/common/grid_and_chart.h"

namespace cpt {

struct FrequencyBins {
    double start = 0;  // left edge of the first bin
    double width = 1;
    std::vector<double> counts;
    double total = 0;  // of all counts

    double end() const { return start + width * static_cast<double>(counts.size()); }
    double maxCount() const;
};

inline constexpr int MaxFrequencyBins = 100;

// Classes on a regular grid (whole numbers, or values kept to d decimals) keep
// a bar each while they fit; beyond that a bar covers a whole number of grid
// steps, about the square root of the number of values in all, so that no
// bar gets more classes than its neighbour by the accident of its edges.
FrequencyBins binClasses(const ChartModel& chart, int maxBins = MaxFrequencyBins);

// The expected count of a bin centred at x under the normal curve; 0 where
// the standard deviation gives no curve.
double normalCountAt(const FrequencyBins& bins, double mean, double standardDeviation, double x);
bool hasNormalCurve(double standardDeviation);

// Where to draw the normal curve between from and to: evenly over the axis,
// and closer together near the mean so that a narrow curve keeps its peak.
std::vector<double> normalCurvePoints(double from, double to, double mean, double standardDeviation);

}  // namespace cpt
