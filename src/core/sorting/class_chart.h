#pragma once
// The frequency chart of a sort-and-count's class table.
#include <span>
#include <string>

#include "core/common/grid_and_chart.h"
#include "core/sorting/sort_count_analysis.h"

namespace cpt {

// Charts are shown for at most this many classes.
inline constexpr int MaxChartClasses = 30000;

// The classes with their mean and standard deviation (n - 1), named after
// the data set.
ChartModel frequencyChartOf(const SortCountResult& result);
// The classes given, named after the data set of that kind.
ChartModel frequencyChartOf(SortCountKind kind, const std::string& projectName, const std::string& treatmentName,
                            const std::string& code, std::span<const double> values, std::span<const double> counts);

}  // namespace cpt
