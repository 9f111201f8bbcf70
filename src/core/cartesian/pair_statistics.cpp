#include "core/cartesian/pair_statistics.h"

#include <algorithm>
#include <bit>
#include <cassert>

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

// Doubles mapped to unsigned keys in the same order (-0 just below +0), so
// that a binary search can run over every double between two values.
std::uint64_t orderKey(double value) {
    std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    return (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
}

double fromOrderKey(std::uint64_t key) {
    std::uint64_t bits = (key >> 63) != 0 ? key & ~(std::uint64_t{1} << 63) : ~key;
    return std::bit_cast<double>(bits);
}

template <typename Within>
std::int64_t countWhere(const std::vector<double>& a, const std::vector<double>& b, Within within) {
    const std::size_t n = b.size();
    std::size_t p = 0;  // first b whose difference with the current a is within
    std::int64_t count = 0;
    for (double x : a) {
        while (p < n && !within(x - b[p])) ++p;
        count += static_cast<std::int64_t>(n - p);
    }
    return count;
}

}  // namespace

DifferenceSums sumDifferences(const double* first, std::int32_t firstCount, const double* second,
                              std::int32_t secondCount, bool firstMinusSecond) {
    return firstMinusSecond ? sumInOrder<true>(first, firstCount, second, secondCount)
                            : sumInOrder<false>(first, firstCount, second, secondCount);
}

void DifferenceRanking::assign(const double* minuends, std::int32_t minuendCount, const double* subtrahends,
                               std::int32_t subtrahendCount) {
    a_.assign(minuends, minuends + minuendCount);
    b_.assign(subtrahends, subtrahends + subtrahendCount);
    std::sort(a_.begin(), a_.end());
    std::sort(b_.begin(), b_.end());
}

std::int64_t DifferenceRanking::countAtMost(double limit) const {
    return countWhere(a_, b_, [limit](double d) { return d <= limit; });
}

std::int64_t DifferenceRanking::countBelow(double limit) const {
    return countWhere(a_, b_, [limit](double d) { return d < limit; });
}

double DifferenceRanking::smallest(std::int64_t rank) const {
    assert(rank >= 1 && rank <= size());
    // The smallest double v with rank differences at most v is the rank-th
    // difference itself: the count only rises at a difference.
    std::uint64_t low = orderKey(a_.front() - b_.back());
    std::uint64_t high = orderKey(a_.back() - b_.front());
    while (low < high) {
        std::uint64_t middle = low + (high - low) / 2;
        if (countAtMost(fromOrderKey(middle)) >= rank) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    double value = fromOrderKey(low);
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
