#pragma once
// Sort-and-count of one data file (general data, bootstrap results, or the
// results of a paired test): three files beside the data file and the class
// table in the analysis state.
#include <cstdint>
#include <string>

namespace cpt {

class AppContext;
struct AnalysisState;

// What the user is told when a sort-and-count runs out of memory.
inline constexpr const char* OutOfMemoryMessage =
    "The sort-and-count stopped: there is not enough memory for the values of this data file.";

// Asks its questions, then reads, sorts, counts and writes. Ends quietly when
// the file choice or the decimal-limit box is cancelled (the latter by
// throwing Cancelled). Throws UserError, naming the file, when the data file
// is unusable (then no file is written) or an output file cannot be written.
void SortForBootstrapResults(AppContext& context);

// The same; `counted` turns true as soon as a new class table stands in the
// state, so that a caller can tell even when a file write fails after it
// (and stays false when no file was chosen).
void SortForBootstrapResults(AppContext& context, bool& counted);

// The outputs go beside the data file: its path without the extension (the
// text after the last dot of the file's own name), or the whole path when
// the name has none.
std::string outputPrefixOf(const std::string& dataPath);

// Rounds to `decimals` places as floor(v * 10^d + 0.5) / 10^d, in Double;
// -1 keeps the value.
double limitDecimals(double value, double decimals);

// Classes of the sorted values PairDiff[1..n]: runs of values within 10^-12
// of the run's first value.
void countClasses(AnalysisState& state, std::int32_t n);

}  // namespace cpt
