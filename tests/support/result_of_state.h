#pragma once
// A run's result made from pair tables filled by hand, for the writers that
// take a result: every figure as the state holds it.
#include "core/analysis/cartesian_result.h"
#include "core/state/analysis_state.h"
#include "core/state/app_context.h"

namespace cpt::testing {

CartesianResult resultOf(const AnalysisState& state);

// The context's run made of the hand-filled state, for the flow's procedures
// that report a run.
void keepResultOfState(AppContext& context);

}  // namespace cpt::testing
