#pragma once
// Sort-and-count of one data file (general data, bootstrap results, or the
// results of a paired test): three files beside the data file and the class
// table in the analysis state.
#include <cstdint>

namespace cpt {

class AppContext;
struct AnalysisState;

// Asks its questions, then reads, sorts, counts and writes. Ends quietly when
// the file choice or the decimal-limit box is cancelled (the latter by
// throwing Cancelled). Throws UserError, naming the file, when the data file
// is unusable (then no file is written) or an output file cannot be written.
void SortForBootstrapResults(AppContext& context);

// The same; `counted` turns true as soon as a new class table stands in the
// state, so that a caller can tell even when a file write fails after it.
void SortForBootstrapResults(AppContext& context, bool& counted);

// Rounds to `decimals` places as floor(v * 10^d + 0.5) / 10^d, in Double;
// -1 keeps the value.
double limitDecimals(double value, double decimals);

// Classes of the sorted values PairDiff[1..n]: runs of values within 10^-12
// of the run's first value.
void countClasses(AnalysisState& state, std::int32_t n);

}  // namespace cpt
