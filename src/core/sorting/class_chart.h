#pragma once
// The frequency chart of a sort-and-count's class table.
#include "core/common/control_model.h"
#include "core/sorting/sort_count_analysis.h"

namespace cpt {

struct AnalysisState;

// Charts are shown for at most this many classes.
inline constexpr int MaxChartClasses = 30000;

// The classes with their mean and standard deviation (n - 1), named after
// the data set.
ChartModel frequencyChartOf(const SortCountResult& result);
// The same of the table ClassValue/ClassCount 1..ClassTotal that the window's
// run left, named after the data set of DataKind.
ChartModel frequencyChartOf(const AnalysisState& state);

}  // namespace cpt
