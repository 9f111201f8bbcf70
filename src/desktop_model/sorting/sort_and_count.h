#pragma once
// Sort-and-count of one data file (general data, bootstrap results, or the
// results of a paired test) as the window runs it: its questions, then the
// three files beside the data file and the class table in the analysis state.
#include <cstdint>
#include <optional>

#include "core/sorting/sort_count_analysis.h"

namespace cpt {

class AppContext;
struct AnalysisState;

// Asks its questions, then reads, sorts, counts and writes. Ends quietly when
// the file choice or the decimal-limit box is cancelled (the latter by
// throwing Cancelled). Throws UserError, naming the file, when the data file
// is unusable (then no file is written) or an output file cannot be written.
void SortForBootstrapResults(AppContext& context);

// The same; `counted` takes the kind of the data set as soon as its class
// table stands in the state, so that a caller can tell even when a file
// write fails after it (and stays empty when no file was chosen).
void SortForBootstrapResults(AppContext& context, std::optional<SortCountKind>& counted);

// Classes of the sorted values PairDiff[1..n]: runs of values within 10^-12
// of the run's first value.
void countClasses(AnalysisState& state, std::int32_t n);

}  // namespace cpt
