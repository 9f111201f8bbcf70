#include "core/cartesian/large_pair.h"

#include <algorithm>
#include <cmath>

#include "core/cartesian/exact_moments.h"
#include "core/common/rounding.h"

namespace cpt {
namespace {

constexpr double TQuantile = 1.959964;

}  // namespace

SampleSummary summarise(std::span<const double> values) {
    SampleSummary summary;
    summary.sorted.assign(values.begin(), values.end());
    std::sort(summary.sorted.begin(), summary.sorted.end());
    summary.sums = exactSumOf(values);
    return summary;
}

PairResult calculateLargePair(const SampleSummary& first, const SampleSummary& second, PairDirection direction,
                              DifferenceRanking& ranking) {
    const SampleSummary& minuends = direction.firstMinusSecond ? first : second;
    const SampleSummary& subtrahends = direction.firstMinusSecond ? second : first;
    ranking.assignSorted(minuends.sorted, subtrahends.sorted);
    const double bi = static_cast<double>(first.sorted.size());
    const double bj = static_cast<double>(second.sorted.size());

    PairResult result;
    const DifferenceCounts counts = ranking.judge(direction.observedDiff);
    result.significant = counts.significant;
    result.below = counts.below;
    result.above = counts.above;
    const DifferenceMoments moments = exactDifferenceMoments(minuends.sums, subtrahends.sums);
    result.mean = moments.mean;
    result.variance = moments.variance;
    result.sd = result.variance > 0 ? std::sqrt(result.variance) : 0.0;
    result.percentileLower = ranking.smallest(percentileRank(bj * bi, 0.025));
    result.percentileUpper = ranking.smallest(percentileRank(bj * bi, 0.975));
    result.insignificant = result.below + result.above;
    result.pValue = static_cast<double>(result.insignificant) / (bj * bi);
    result.tLower = result.mean - result.sd * TQuantile;
    result.tUpper = result.sd * TQuantile + result.mean;
    return result;
}

}  // namespace cpt
