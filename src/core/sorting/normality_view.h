#pragma once
// The button "N. Sort, norm.  ": a sort-and-count, then the frequency chart
// of its class table.
#include "core/common/control_model.h"

namespace cpt {

class AppContext;
struct AnalysisState;

// Charts are shown for at most this many classes.
inline constexpr int MaxChartClasses = 30000;

void cmdGeneralNormalTest_Click(AppContext& context);

// The class table ClassValue/ClassCount 1..ClassTotal with its mean and
// standard deviation (n - 1), named after the data set of DataKind.
ChartModel frequencyChartOf(const AnalysisState& state);

}  // namespace cpt
