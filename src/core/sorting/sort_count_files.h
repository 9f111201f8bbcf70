#pragma once
// The three files a sort-and-count writes beside its data file: the sorted
// values with their row numbers, the rows at the 0.025, 0.5 and 0.975
// positions, and the class counts.
#include <cstdint>
#include <string>

namespace cpt {

struct AnalysisState;

struct SortCountFileNames {
    std::string sorted;
    std::string percentile;
    std::string counts;
};

// Built from OutputPrefix, LastTreatmentCode and DecimalLimit (-1: values as read).
SortCountFileNames sortCountFileNames(const AnalysisState& state);

// Each throws UserError naming the file and the reason when it cannot be
// written, and then leaves no half-written file of its own behind. The
// values are PairDiff/SortedTags at 1..n; the classes ClassValue/ClassCount.
void writeSortedAndPercentileFiles(const AnalysisState& state, std::int32_t n, const SortCountFileNames& names);
void writeCountsFile(const AnalysisState& state, std::int32_t n, const SortCountFileNames& names);

}  // namespace cpt
