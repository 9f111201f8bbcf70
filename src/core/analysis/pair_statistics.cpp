#include "core/analysis/pair_statistics.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>

#include "core/common/sorted_differences.h"

namespace cpt {
namespace {

template <bool FirstMinusSecond>
DifferenceSums sumInOrder(const double* first, std::int32_t firstCount, const double* second,
                          std::int32_t secondCount) {
    double sum = 0;
    double sumSquares = 0;
    for (std::int32_t k = 0; k < firstCount; ++k) {
        const double x = first[k];
        for (std::int32_t l = 0; l < secondCount; ++l) {
            const double d = FirstMinusSecond ? x - second[l] : second[l] - x;
            sum += d;
            sumSquares += d * d;
        }
    }
    return {sum, sumSquares};
}

// A fixed stream of pseudo-random numbers: the sample only steers the
// narrowing, the result never depends on it.
std::uint64_t nextRandom(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15u);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
}

constexpr std::size_t SampleSize = 1 << 16;
constexpr std::int64_t SmallestListLimit = 4096;

}  // namespace

DifferenceSums sumDifferences(const double* first, std::int32_t firstCount, const double* second,
                              std::int32_t secondCount, bool firstMinusSecond) {
    return firstMinusSecond ? sumInOrder<true>(first, firstCount, second, secondCount)
                            : sumInOrder<false>(first, firstCount, second, secondCount);
}

void DifferenceRanking::assign(const double* minuends, std::int32_t minuendCount, const double* subtrahends,
                               std::int32_t subtrahendCount) {
    ownA_.assign(minuends, minuends + minuendCount);
    ownB_.assign(subtrahends, subtrahends + subtrahendCount);
    std::sort(ownA_.begin(), ownA_.end());
    std::sort(ownB_.begin(), ownB_.end());
    a_ = ownA_;
    b_ = ownB_;
}

void DifferenceRanking::assignSorted(std::span<const double> sortedMinuends, std::span<const double> sortedSubtrahends) {
    assert(std::is_sorted(sortedMinuends.begin(), sortedMinuends.end()));
    assert(std::is_sorted(sortedSubtrahends.begin(), sortedSubtrahends.end()));
    a_ = sortedMinuends;
    b_ = sortedSubtrahends;
}

std::int64_t DifferenceRanking::countAtMost(double limit) const {
    return differencesAtMost(a_, b_, limit);
}

std::int64_t DifferenceRanking::countBelow(double limit) const {
    return differencesBelow(a_, b_, limit);
}

// Differences in the window below the pivot and at most the pivot. Along a
// row they fall as the subtrahend grows, so they are the row's last ones;
// where they start never moves back as the minuend grows.
template <DifferenceRanking::Bound kind>
DifferenceRanking::PivotCounts DifferenceRanking::sweepWindow(double pivot) {
    const double* b = b_.data();
    bounds_.resize(a_.size());
    std::uint32_t below = 0;
    std::uint32_t atMost = 0;
    PivotCounts counts;
    for (std::size_t k = 0; k < a_.size(); ++k) {
        const double x = a_[k];
        const std::uint32_t end = windowEnd_[k];
        atMost = std::max(atMost, windowStart_[k]);
        while (atMost < end && x - b[atMost] > pivot) ++atMost;
        below = std::max(below, atMost);
        while (below < end && x - b[below] >= pivot) ++below;
        bounds_[k] = kind == Bound::Below ? below : atMost;
        counts.atMost += end - atMost;
        counts.below += end - below;
    }
    return counts;
}

DifferenceRanking::PivotCounts DifferenceRanking::countInWindow(double pivot, Bound kind) {
    return kind == Bound::Below ? sweepWindow<Bound::Below>(pivot) : sweepWindow<Bound::AtMost>(pivot);
}

void DifferenceRanking::keepBelow(double pivot, const PivotCounts& counts, Bound counted, std::int64_t& inWindow) {
    if (counted != Bound::Below) countInWindow(pivot, Bound::Below);
    windowStart_.swap(bounds_);
    inWindow = counts.below;
}

void DifferenceRanking::keepAbove(double pivot, const PivotCounts& counts, Bound counted, std::int64_t& below,
                                  std::int64_t& inWindow) {
    if (counted != Bound::AtMost) countInWindow(pivot, Bound::AtMost);
    windowEnd_.swap(bounds_);
    below += counts.atMost;
    inWindow -= counts.atMost;
}

// Draws differences from the window, one from each of `count` equal
// stretches of it (which spreads them more evenly than independent draws),
// met in order row by row.
void DifferenceRanking::drawSample(std::int64_t inWindow, std::size_t count, std::uint64_t& seed) {
    sample_.clear();
    const double stretch = static_cast<double>(inWindow) / static_cast<double>(count);
    std::uint64_t rowFirst = 0;
    std::size_t k = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double offset = static_cast<double>(nextRandom(seed) >> 11) * 0x1p-53;
        const auto draw = std::min(static_cast<std::uint64_t>((static_cast<double>(i) + offset) * stretch),
                                   static_cast<std::uint64_t>(inWindow - 1));
        while (draw >= rowFirst + (windowEnd_[k] - windowStart_[k])) {
            rowFirst += windowEnd_[k] - windowStart_[k];
            ++k;
        }
        sample_.push_back(a_[k] - b_[windowStart_[k] + (draw - rowFirst)]);
    }
}

double DifferenceRanking::pickFromList(std::int64_t rankInWindow) {
    list_.clear();
    for (std::size_t k = 0; k < a_.size(); ++k) {
        const double x = a_[k];
        for (std::uint32_t l = windowStart_[k]; l < windowEnd_[k]; ++l) list_.push_back(x - b_[l]);
    }
    auto nth = list_.begin() + (rankInWindow - 1);
    std::nth_element(list_.begin(), nth, list_.end());
    return *nth;
}

PivotPositions pivotPositions(std::int64_t rank, std::int64_t inWindow, std::size_t count) {
    const double share = (static_cast<double>(rank) - 0.5) / static_cast<double>(inWindow);
    const double centre = share * static_cast<double>(count);
    const double spread = 3 * std::sqrt(static_cast<double>(count) * share * (1 - share)) + 1;
    const auto position = [&](double p) {
        return static_cast<std::size_t>(std::clamp(p, 0.0, static_cast<double>(count - 1)));
    };
    return {position(std::floor(centre - spread)), position(std::ceil(centre + spread))};
}

double DifferenceRanking::smallest(std::int64_t rank) {
    assert(rank >= 1 && rank <= size());
    // Narrowed by two pivots drawn from a sample of the differences still in
    // question, around where the rank should fall (as in Floyd and Rivest's
    // selection); each round keeps the one stretch that holds the rank, until
    // few enough are left to list. A pivot that is the answer ends it at once,
    // so ties cost nothing.
    const std::int64_t listLimit =
        listLimit_ > 0 ? listLimit_
                       : std::max<std::int64_t>(SmallestListLimit, static_cast<std::int64_t>(a_.size() + b_.size()));
    windowStart_.assign(a_.size(), 0);
    windowEnd_.assign(a_.size(), static_cast<std::uint32_t>(b_.size()));
    std::int64_t below = 0;  // differences before the window
    std::int64_t inWindow = size();
    std::uint64_t seed = static_cast<std::uint64_t>(rank);
    double value = 0;
    for (;;) {
        const std::int64_t target = rank - below;
        if (inWindow <= listLimit) {
            value = pickFromList(target);
            break;
        }
        // A draw costs several steps of a sweep over both samples: a sample
        // of an eighth of them narrows about as fast, for less (measured on
        // samples of 3000 and 100,000).
        const std::size_t count =
            std::min({SampleSize, (a_.size() + b_.size()) / 8 + 1, static_cast<std::size_t>(inWindow / 4 + 1)});
        drawSample(inWindow, count, seed);
        const auto [lowPosition, highPosition] = pivotPositions(target, inWindow, count);
        std::nth_element(sample_.begin(), sample_.begin() + lowPosition, sample_.end());
        const double low = sample_[lowPosition];
        std::nth_element(sample_.begin() + lowPosition, sample_.begin() + highPosition, sample_.end());
        const double high = sample_[highPosition];

        // The pivots stand three standard deviations either side of the
        // rank, which then nearly always lies above the low one and below the
        // high one: the bounds of those kinds are kept as they are counted.
        // The high pivot is counted among the differences above the low one
        // alone, once the window is narrowed to them.
        const PivotCounts atLow = countInWindow(low, Bound::AtMost);
        if (target > atLow.below && target <= atLow.atMost) {
            value = low;
            break;
        }
        if (target <= atLow.below) {
            keepBelow(low, atLow, Bound::AtMost, inWindow);
            continue;
        }
        keepAbove(low, atLow, Bound::AtMost, below, inWindow);
        const PivotCounts atHigh = countInWindow(high, Bound::Below);
        const std::int64_t aboveLow = rank - below;
        if (aboveLow > atHigh.below && aboveLow <= atHigh.atMost) {
            value = high;
            break;
        }
        if (aboveLow <= atHigh.below) {
            keepBelow(high, atHigh, Bound::Below, inWindow);
        } else {
            keepAbove(high, atHigh, Bound::Below, below, inWindow);
        }
    }
    // -0 stands for a zero difference (the inputs hold no -0); keep +0.
    return value == 0 ? 0.0 : value;
}

DifferenceCounts DifferenceRanking::judge(double observedDiff) const {
    const double twiceObserved = 2 * observedDiff;
    DifferenceCounts counts;
    counts.below = countAtMost(0);
    // Above means D >= 2 * ObservedDiff and D > 0.
    const std::int64_t notAbove = twiceObserved > 0 ? countBelow(twiceObserved) : counts.below;
    counts.above = size() - notAbove;
    counts.significant = size() - counts.below - counts.above;
    return counts;
}

}  // namespace cpt
