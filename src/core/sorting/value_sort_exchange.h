#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace cpt {

// The arrangement the plain exchange pass
//
//   for i in [0, n-1): for j in [i+1, n): if a[i] > a[j]: swap(a[i], a[j])
//
// leaves, found in O(n log n) instead of O(n^2) comparisons.
//
// Why it works. Values come out ascending, so only the order inside each class of equal
// values v is in question. Call the items below v "small". Round i swaps a[i] with every
// later value that is a new strict minimum; that chain holds at most one item per value,
// and the item of value v on it is the first v item, which then takes the place of the
// first small item after it. Following the rounds, the v items behave like a queue:
// reading the original bucket left to right, a v item joins the back of the queue, and a
// small item seen while the queue is non-empty moves the queue's front to its back.
// Larger values never matter. The queue at the end is the class's final order.
//
// So with x1..xm the class's items in bucket order and c_k the number of small items
// between x_k and x_{k+1} (after x_m for c_m), the result is: push x_k, rotate the queue
// left by c_k mod k, for k = 1..m. That is replayed forwards on a ring buffer when the
// rotations are few, else backwards over free result slots (a Josephus-style count with
// a Fenwick tree).
class ExchangePassOrder {
public:
    // order[k] receives the bucket position of the item that the pass leaves at position k.
    // Returns false when the pass moves nothing (order is then 0, 1, 2, ...).
    // When identicalTiesInterchangeable is set, equal values with the same bits (every equal
    // pair except 0.0 and -0.0) may come in any order among themselves: used when no tags
    // travel with the values. Values must not be NaN.
    bool arrange(std::span<const double> values, std::span<std::uint32_t> order,
                 bool identicalTiesInterchangeable = false);

    // order[k] receives the bucket position of the k-th value in ascending order, equal
    // values keeping their bucket order (a stable sort). A NaN gives no useful order but
    // does no harm. Returns false when nothing moves.
    bool stableOrder(std::span<const double> values, std::span<std::uint32_t> order);

private:
    // The value as an unsigned number in the same order (0.0 and -0.0 alike), split in
    // halves so that a key takes 12 bytes, not 16: big buckets hold two arrays of them.
    struct Key {
        std::uint32_t high;
        std::uint32_t low;
        std::uint32_t index;
        std::uint64_t order() const { return std::uint64_t{high} << 32 | low; }
    };
    struct TiedClass {
        std::uint32_t first;  // position of the class's first item in ascending order
        std::uint32_t size;
    };

    void sortKeys(std::span<const double> values);
    void countSmallerByScan(std::span<const double> values);
    void countSmallerByFenwick(std::size_t n);
    void orderClass(const TiedClass& tied, std::span<std::uint32_t> order);

    std::vector<Key> keys_, keysSpare_;
    std::vector<TiedClass> tied_;
    // For the item at ascending position p of a tied class: small items between it and
    // the class's next item (after it, for the class's last item).
    std::vector<std::uint32_t> gap_;
    std::vector<std::uint32_t> fenwick_;
    std::vector<std::uint32_t> queue_;
    std::vector<std::uint32_t> classOrder_;
};

}  // namespace cpt
