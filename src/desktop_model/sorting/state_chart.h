#pragma once
// The frequency chart of the class table the window's sort-and-count left.
#include "core/common/grid_and_chart.h"

namespace cpt {

struct AnalysisState;

// The table ClassValue/ClassCount 1..ClassTotal, named after the data set of
// DataKind.
ChartModel frequencyChartOf(const AnalysisState& state);

}  // namespace cpt
