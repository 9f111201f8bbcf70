#include "core/sorting/value_sort.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "core/common/double_bits.h"

namespace cpt {
namespace {

struct Split {
    std::size_t boundary;  // first position of the upper half
    double lowerSum;
    double upperSum;
};

// Values below the mean fill the lower half upward in visiting order, the others fill
// the upper half from its end downward. No branches, since on real data the comparison is
// a coin toss: each value is written to both free ends (the wrong copy is overwritten
// later; the last value has one slot left), and the half it did not go to adds +0.0.
// A sum that starts at +0.0 never becomes -0.0, so adding +0.0 changes none of its bits.
template <bool WithTags>
Split distribute(const double* fromValues, const std::int32_t* fromTags, double* toValues,
                 std::int32_t* toTags, std::size_t start, std::size_t end, double mean) {
    std::size_t lower = start;
    std::size_t upper = end;
    double lowerSum = 0.0;
    double upperSum = 0.0;
    for (std::size_t i = start; i < end; ++i) {
        const double v = fromValues[i];
        toValues[lower] = v;
        toValues[upper - 1] = v;
        if constexpr (WithTags) {
            const std::int32_t t = fromTags[i];
            toTags[lower] = t;
            toTags[upper - 1] = t;
        }
        const std::uint64_t up = v >= mean;
        const std::uint64_t bits = bitsOf(v);
        upperSum += doubleOfBits(bits & (0 - up));
        lowerSum += doubleOfBits(bits & (up - 1));
        upper -= up;
        lower += 1 - up;
    }
    return {lower, lowerSum, upperSum};
}

}  // namespace

// The order of a bucket's exchange pass needs no more room than the bucket.
void ValueSorter::reserveOrder(std::size_t n) {
    if (order_.size() < n) order_.resize(n);
}

void ValueSorter::sort(std::span<const double> values, std::span<const std::int32_t> tags,
                       std::span<double> sortedValues, std::span<std::int32_t> sortedTags) {
    const std::size_t n = values.size();
    if (workValues_.size() < n) workValues_.resize(n);
    if (!tags.empty() && workTags_.size() < n) workTags_.resize(n);
    run(values, tags, sortedValues, sortedTags, workValues_.data(), workTags_.data());
}

void ValueSorter::sortConsumingInput(std::span<double> values, std::span<std::int32_t> tags,
                                     std::span<double> sortedValues, std::span<std::int32_t> sortedTags) {
    // Only level 1 reads the input, and every later level writes its area
    // in full before reading it: the input is free after level 1.
    run(values, tags, sortedValues, sortedTags, values.data(), tags.data());
}

void ValueSorter::run(std::span<const double> values, std::span<const std::int32_t> tags,
                      std::span<double> sortedValues, std::span<std::int32_t> sortedTags, double* workValues,
                      std::int32_t* workTags) {
    const std::size_t n = values.size();
    const bool withTags = !tags.empty();
    if (n == 0) throw std::invalid_argument("ValueSorter::sort: no values to sort");
    if (n >= std::numeric_limits<std::uint32_t>::max())
        throw std::invalid_argument("ValueSorter::sort: too many values");
    if (withTags && tags.size() != n)
        throw std::invalid_argument("ValueSorter::sort: one tag per value is needed");
    if (sortedValues.size() < n || (withTags && sortedTags.size() < n))
        throw std::invalid_argument("ValueSorter::sort: output shorter than the input");

    for (int level = 0; level <= MaxLevels; ++level) buckets_[level].resize(std::size_t{1} << level);
    work_ = workValues;
    workTagsInUse_ = withTags ? workTags : nullptr;
    const Area sorted{sortedValues.data(), withTags ? sortedTags.data() : nullptr};
    const Area work{work_, workTagsInUse_};
    auto areaOf = [&](int level) { return level % 2 == 1 ? sorted : work; };

    double total = 0.0;
    for (const double v : values) total += v;
    buckets_[0][0] = {0, n, total};

    if (!splitLevel(1, values.data(), withTags ? tags.data() : nullptr, sorted)) {
        orderLevelOne(sorted, n);
        return;
    }
    int level = 1;
    while (level < MaxLevels) {
        const Area from = areaOf(level);
        if (!splitLevel(level + 1, from.values, from.tags, areaOf(level + 1))) break;
        ++level;
    }
    for (const Bucket& bucket : buckets_[level]) finishBucket(areaOf(level), sorted, bucket);
}

bool ValueSorter::splitLevel(int level, const double* fromValues, const std::int32_t* fromTags, Area to) {
    const std::vector<Bucket>& parents = buckets_[level - 1];
    std::vector<Bucket>& children = buckets_[level];
    for (std::size_t b = 0; b < parents.size(); ++b) {
        const Bucket& parent = parents[b];
        const double mean = parent.sum / static_cast<double>(parent.end - parent.start);
        const Split split =
            to.tags
                ? distribute<true>(fromValues, fromTags, to.values, to.tags, parent.start, parent.end, mean)
                : distribute<false>(fromValues, nullptr, to.values, nullptr, parent.start, parent.end, mean);
        // One empty half and the whole level is discarded, so there is no point finishing it.
        if (split.boundary == parent.start || split.boundary == parent.end) return false;
        children[2 * b] = {parent.start, split.boundary, split.lowerSum};
        children[2 * b + 1] = {split.boundary, parent.end, split.upperSum};
    }
    return true;
}

void ValueSorter::gather(Area from, Area to, std::size_t start, std::size_t count) {
    const std::uint32_t* order = order_.data();
    for (std::size_t k = 0; k < count; ++k) to.values[start + k] = from.values[start + order[k]];
    if (to.tags)
        for (std::size_t k = 0; k < count; ++k) to.tags[start + k] = from.tags[start + order[k]];
}

void ValueSorter::finishBucket(Area result, Area sorted, const Bucket& bucket) {
    const std::size_t count = bucket.end - bucket.start;
    reserveOrder(count);
    const bool moves = exchange_.arrange(std::span(result.values + bucket.start, count),
                                         std::span(order_.data(), count), sorted.tags == nullptr);
    if (result.values == sorted.values) {
        if (!moves) return;
        // Finished in place: the work area's copy of this stretch is free to read from.
        const Area work{work_, workTagsInUse_};
        std::copy_n(sorted.values + bucket.start, count, work.values + bucket.start);
        if (sorted.tags) std::copy_n(sorted.tags + bucket.start, count, work.tags + bucket.start);
        result = work;
    }
    gather(result, sorted, bucket.start, count);
}

void ValueSorter::orderLevelOne(Area sorted, std::size_t n) {
    // All values fell on one side of their rounded mean. Equal values keep the level-1 order
    // (reversed input when they went up); anything else is put in order, stably.
    reserveOrder(n);
    if (!exchange_.stableOrder(std::span<const double>(sorted.values, n), std::span(order_.data(), n)))
        return;
    const Area work{work_, workTagsInUse_};
    std::copy_n(sorted.values, n, work.values);
    if (sorted.tags) std::copy_n(sorted.tags, n, work.tags);
    gather(work, sorted, 0, n);
}

}  // namespace cpt
