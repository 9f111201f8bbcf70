#pragma once
// A pair with more differences than the edition lists, judged without
// forming them: counts and percentile limits from the two samples sorted,
// mean and variance from their exact sums. The counts and limits are those
// of the described loop over every difference fl(x - y); the mean and the
// variance are the doubles nearest to those of the real differences x - y.
#include <cstdint>
#include <span>

#include "core/cartesian/exact_moments.h"
#include "core/cartesian/pair_statistics.h"

namespace cpt {

struct ExactPairFigures {
    DifferenceCounts counts;
    DifferenceMoments moments;
    double percentileLower = 0;
    double percentileUpper = 0;
};

// Ranks L and U of the percentile limits over `differences` differences:
// differences * 0.025 + 0.5 and * 0.975 + 0.5, halves to even, kept within
// 1 to differences. `differences` is B_j * B_i as a double.
std::int64_t percentileRank(double differences, double share);

// Minuends are the larger-mean treatment's values. Both spans in ascending order.
ExactPairFigures exactPairFigures(std::span<const double> sortedMinuends, std::span<const double> sortedSubtrahends,
                                  const ExactSum& minuendSums, const ExactSum& subtrahendSums, double observedDiff,
                                  DifferenceRanking& ranking);

}  // namespace cpt
