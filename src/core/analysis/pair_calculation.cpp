#include "core/analysis/pair_calculation.h"

#include <cmath>

#include "core/analysis/cartesian_engine.h"
#include "core/analysis/pair_statistics.h"
#include "core/common/rounding.h"

namespace cpt {
namespace {

constexpr double TQuantile = 1.959964;

// The one loop over every difference, for the files: the verdicts are counted
// as they are written.
template <bool FirstMinusSecond>
DifferenceSums writeDifferences(PairDifferenceWriter& files, std::span<const double> first,
                                std::span<const double> second, double observedDiff, DifferenceCounts& counts) {
    double sum = 0;
    double sumSquares = 0;
    std::int32_t n = 0;
    for (const double x : first) {
        for (const double y : second) {
            const double d = FirstMinusSecond ? x - y : y - x;
            ++n;
            const Verdict verdict = judgeDifference(d, 2 * observedDiff);
            if (verdict == Verdict::Significant) {
                ++counts.significant;
            } else if (verdict == Verdict::Below) {
                ++counts.below;
            } else {
                ++counts.above;
            }
            files.write(n, d, verdict == Verdict::Significant);
            sum += d;
            sumSquares += d * d;
        }
    }
    return {sum, sumSquares};
}

PairResult resultFromSums(const DifferenceCounts& counts, const DifferenceSums& sums, DifferenceRanking& ranking,
                          double bi, double bj) {
    return pairResultOf(counts, sums.sum / (bi * bj), varianceBySums(sums.sum, sums.sumSquares, bi * bj), ranking,
                        bi, bj);
}

}  // namespace

PairDirection directionOf(double firstMean, double secondMean) {
    const bool firstMinusSecond = firstMean > secondMean;
    return {firstMinusSecond, firstMinusSecond ? firstMean - secondMean : secondMean - firstMean};
}

PairResult calculatePair(std::span<const double> first, std::span<const double> second, PairDirection direction,
                         PairDifferenceWriter* files) {
    const double bi = static_cast<double>(first.size());
    const double bj = static_cast<double>(second.size());
    const auto firstCount = static_cast<std::int32_t>(first.size());
    const auto secondCount = static_cast<std::int32_t>(second.size());
    const double observedDiff = direction.observedDiff;

    DifferenceRanking ranking;
    if (direction.firstMinusSecond) {
        ranking.assign(first.data(), firstCount, second.data(), secondCount);
    } else {
        ranking.assign(second.data(), secondCount, first.data(), firstCount);
    }

    DifferenceSums sums;
    DifferenceCounts counts;
    if (files != nullptr) {
        sums = direction.firstMinusSecond ? writeDifferences<true>(*files, first, second, observedDiff, counts)
                                          : writeDifferences<false>(*files, first, second, observedDiff, counts);
    } else {
        sums = sumDifferences(first.data(), firstCount, second.data(), secondCount, direction.firstMinusSecond);
        counts = ranking.judge(observedDiff);
    }
    return resultFromSums(counts, sums, ranking, bi, bj);
}

PairResult calculateSummedPair(std::span<const double> sortedFirst, std::span<const double> sortedSecond,
                               PairDirection direction, const DifferenceSums& sums, DifferenceRanking& ranking) {
    if (direction.firstMinusSecond) {
        ranking.assignSorted(sortedFirst, sortedSecond);
    } else {
        ranking.assignSorted(sortedSecond, sortedFirst);
    }
    const double bi = static_cast<double>(sortedFirst.size());
    const double bj = static_cast<double>(sortedSecond.size());
    return resultFromSums(ranking.judge(direction.observedDiff), sums, ranking, bi, bj);
}

PairResult pairResultOf(const DifferenceCounts& counts, double mean, double variance, DifferenceRanking& ranking,
                        double bi, double bj) {
    PairResult result;
    result.significant = counts.significant;
    result.below = counts.below;
    result.above = counts.above;
    result.mean = mean;
    result.variance = variance;
    // With (nearly) constant samples the sums can cancel to a rounding error
    // below 0; the spread is then none, not "not a number".
    result.sd = result.variance > 0 ? std::sqrt(result.variance) : 0.0;

    // The order statistics come from the ranking, not from a sort of all
    // differences.
    result.percentileLower = ranking.smallest(percentileRank(bj * bi, 0.025));
    result.percentileUpper = ranking.smallest(percentileRank(bj * bi, 0.975));

    result.insignificant = result.below + result.above;
    result.pValue = static_cast<double>(result.insignificant) / (bj * bi);
    result.tLower = result.mean - result.sd * TQuantile;
    result.tUpper = result.sd * TQuantile + result.mean;
    return result;
}

}  // namespace cpt
