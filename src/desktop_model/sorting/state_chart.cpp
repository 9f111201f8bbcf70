#include "desktop_model/sorting/state_chart.h"

#include <algorithm>
#include <span>

#include "core/sorting/class_chart.h"
#include "desktop_model/state/analysis_state.h"

namespace cpt {

ChartModel frequencyChartOf(const AnalysisState& state) {
    const SortCountKind kind =
        state.DataKind == kindName(SortCountKind::General) ? SortCountKind::General : SortCountKind::Bootstrap;
    const auto classes = static_cast<std::size_t>(std::max(state.ClassTotal, 0));
    // ClassTotal may be 0 before the first run, when the tables are still empty.
    const double* values = classes == 0 ? nullptr : state.ClassValue.from1();
    const double* counts = classes == 0 ? nullptr : state.ClassCount.from1();
    return frequencyChartOf(kind, state.ProjectName, state.TreatmentName[1], state.LastTreatmentCode,
                            std::span<const double>(values, classes), std::span<const double>(counts, classes));
}

}  // namespace cpt
