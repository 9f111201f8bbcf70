#pragma once
// What a pair's Cartesian differences give without holding all of them: the
// sums in Cartesian order, and counts and order statistics from sorted copies
// of the two samples. A difference fl(a - b) never decreases when a grows or
// b shrinks (rounding is monotone), so for every a the differences at most a
// limit are a suffix of the sorted b, and that suffix only shrinks as a grows.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace cpt {

struct DifferenceSums {
    double sum = 0;
    double sumSquares = 0;
};

// Sums D and D * D over k (first sample, outer) and l (second sample, inner),
// D = first[k] - second[l], or second[l] - first[k] when !firstMinusSecond.
// The additions run strictly in that order: the printed figures depend on it.
DifferenceSums sumDifferences(const double* first, std::int32_t firstCount, const double* second,
                              std::int32_t secondCount, bool firstMinusSecond);

// (sumSquares - sum * sum / count) / (count - 1), the variance by the sums.
// Where sum * sum leaves the Double range it is taken as sum * (sum / count),
// so values within the accepted magnitudes never give an infinity.
inline double varianceBySums(double sum, double sumSquares, double count) {
    const double square = sum * sum;
    const double correction = square <= std::numeric_limits<double>::max() ? square / count : sum * (sum / count);
    return (sumSquares - correction) / (count - 1);
}

// The verdict on one difference: significant only strictly between 0 and
// twice the observed difference.
enum class Verdict { Significant, Below, Above };
inline Verdict judgeDifference(double difference, double twiceObserved) {
    if (difference <= 0) return Verdict::Below;
    if (difference >= twiceObserved) return Verdict::Above;
    return Verdict::Significant;
}

struct DifferenceCounts {
    std::int64_t significant = 0;
    std::int64_t below = 0;
    std::int64_t above = 0;
};

// Where, in a sorted sample of `count` of `inWindow` differences, the two
// pivots of a narrowing round stand that should enclose the rank-th smallest:
// about three standard deviations either side of its expected place, within
// the sample. Only the speed of the narrowing depends on them.
struct PivotPositions {
    std::size_t low = 0;
    std::size_t high = 0;
};
PivotPositions pivotPositions(std::int64_t rank, std::int64_t inWindow, std::size_t count);

// The multiset of all fl(a - b), a from the minuends, b from the subtrahends.
// Work areas grow with the samples, never with the number of differences.
class DifferenceRanking {
public:
    DifferenceRanking() = default;
    // Keeps sorted copies; the vectors are reused from pair to pair.
    void assign(const double* minuends, std::int32_t minuendCount, const double* subtrahends,
                std::int32_t subtrahendCount);
    // Works on samples already in ascending order, which must outlive their use here.
    void assignSorted(std::span<const double> sortedMinuends, std::span<const double> sortedSubtrahends);

    std::int64_t size() const { return static_cast<std::int64_t>(a_.size()) * static_cast<std::int64_t>(b_.size()); }
    // Number of differences <= limit, and < limit.
    std::int64_t countAtMost(double limit) const;
    std::int64_t countBelow(double limit) const;
    // The rank-th smallest difference (1 <= rank <= size()), exactly the value
    // a sort of all differences would hold at that position.
    double smallest(std::int64_t rank);
    // The verdict counts of judgeDifference over all differences.
    DifferenceCounts judge(double observedDiff) const;

    // Once this few differences are left to choose from, they are listed and
    // the rank picked among them; 0 means as many as the two samples hold.
    // (Tests lower it to walk the narrowing on small samples.)
    void setListLimit(std::int64_t limit) { listLimit_ = limit; }

private:
    std::vector<double> ownA_;
    std::vector<double> ownB_;
    std::span<const double> a_;
    std::span<const double> b_;
    std::int64_t listLimit_ = 0;

    // The differences still in question: for minuend k, subtrahends
    // windowStart_[k] to windowEnd_[k] - 1. Both bounds never fall as k grows.
    std::vector<std::uint32_t> windowStart_;
    std::vector<std::uint32_t> windowEnd_;
    // Where the differences below, or at most, a pivot start in each row: a
    // new bound of the window. One row of them, not one per pivot and kind:
    // with millions of minuends each row is megabytes.
    std::vector<std::uint32_t> bounds_;
    std::vector<double> sample_;
    std::vector<double> list_;

    struct PivotCounts {
        std::int64_t below = 0;
        std::int64_t atMost = 0;
    };
    enum class Bound { Below, AtMost };
    // Counts the window's differences below and at most the pivot, and sets
    // bounds_ to where those of the one kind start in each row.
    PivotCounts countInWindow(double pivot, Bound kind);
    template <Bound kind>
    PivotCounts sweepWindow(double pivot);
    // Keeps the differences below, or above, the pivot just counted; bounds_
    // of the other kind are swept again.
    void keepBelow(double pivot, const PivotCounts& counts, Bound counted, std::int64_t& inWindow);
    void keepAbove(double pivot, const PivotCounts& counts, Bound counted, std::int64_t& below,
                   std::int64_t& inWindow);
    void drawSample(std::int64_t inWindow, std::size_t count, std::uint64_t& seed);
    double pickFromList(std::int64_t rankInWindow);
};

}  // namespace cpt
