#pragma once
// One pair of treatments worked out from its two samples alone: counts, sums,
// intervals and P value, with nothing of the window or the pair tables.
#include <cstdint>
#include <span>

#include "core/analysis/cartesian_result.h"
#include "core/analysis/pair_statistics.h"

namespace cpt {

class PairDifferenceWriter;

// The result of a pair whose counts and moments are known, the ranking set
// on its differences (bi and bj the two samples' sizes): the rest follows
// the same way for a listed pair and a large one.
PairResult pairResultOf(const DifferenceCounts& counts, double mean, double variance, DifferenceRanking& ranking,
                        double bi, double bj);

// The Cartesian differences of the two samples (each at least 2 values, at
// most ValueCapacity differences together), judged, counted, summed in
// Cartesian order and ranked. With files, every difference is also written to
// them in that order.
PairResult calculatePair(std::span<const double> first, std::span<const double> second, PairDirection direction,
                         PairDifferenceWriter* files = nullptr);

// The same pair, its sums already taken (as sumDifferences does), from its
// two samples sorted ascending; the ranking's work areas are reused.
PairResult calculateSummedPair(std::span<const double> sortedFirst, std::span<const double> sortedSecond,
                               PairDirection direction, const DifferenceSums& sums, DifferenceRanking& ranking);

}  // namespace cpt
