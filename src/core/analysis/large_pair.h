#pragma once
// A pair with more differences than are listed, judged without forming them:
// counts and percentile limits from the two samples sorted, mean and variance
// from their exact sums. Counts and limits are those of the described loop
// over every difference fl(x - y); mean and variance are the doubles nearest
// to those of the real differences x - y (their sums in Cartesian order would
// take B_i x B_j additions and round at every one).
#include <cstdint>
#include <span>
#include <vector>

#include "core/analysis/pair_calculation.h"
#include "core/analysis/pair_statistics.h"
#include "core/analysis/treatment.h"
#include "core/common/exact_sum.h"
#include "core/common/rounding.h"  // percentileRank, the ranks of the limits

namespace cpt {

// What a treatment gives every pair it is in: made once per run.
struct SampleSummary {
    BootstrapValues sorted;
    ExactSum sums;  // for large pairs only
};
SampleSummary summarise(std::span<const double> values);
// The values sorted where they are (no copy, for values given up), with
// their exact sums or without them.
SampleSummary summariseInPlace(BootstrapValues values, bool withSums);

// The pair (first, second) as calculatePair takes it; the ranking's work
// areas are reused from pair to pair.
PairResult calculateLargePair(const SampleSummary& first, const SampleSummary& second, PairDirection direction,
                              DifferenceRanking& ranking);

}  // namespace cpt
