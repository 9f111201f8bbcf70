#include "core/analysis/large_pair.h"

#include <algorithm>
#include <utility>

#include "core/analysis/exact_moments.h"

namespace cpt {

SampleSummary summarise(std::span<const double> values) {
    return summariseInPlace(BootstrapValues(values.begin(), values.end()), true);
}

SampleSummary summariseInPlace(BootstrapValues values, bool withSums) {
    SampleSummary summary;
    // Exact sums do not depend on the order of the values.
    if (withSums) summary.sums = exactSumOf(values);
    summary.sorted = std::move(values);
    std::sort(summary.sorted.begin(), summary.sorted.end());
    return summary;
}

PairResult calculateLargePair(const SampleSummary& first, const SampleSummary& second, PairDirection direction,
                              DifferenceRanking& ranking) {
    const SampleSummary& minuends = direction.firstMinusSecond ? first : second;
    const SampleSummary& subtrahends = direction.firstMinusSecond ? second : first;
    ranking.assignSorted(minuends.sorted, subtrahends.sorted);
    const double bi = static_cast<double>(first.sorted.size());
    const double bj = static_cast<double>(second.sorted.size());

    const DifferenceCounts counts = ranking.judge(direction.observedDiff);
    const DifferenceMoments moments = exactDifferenceMoments(minuends.sums, subtrahends.sums);
    return pairResultOf(counts, moments.mean, moments.variance, ranking, bi, bj);
}

}  // namespace cpt
