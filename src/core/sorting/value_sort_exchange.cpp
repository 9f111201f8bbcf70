#include "core/sorting/value_sort_exchange.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numeric>
#include <utility>

#include "core/common/double_bits.h"

namespace cpt {
namespace {

// Below this many keys a comparison sort beats setting up the radix passes.
constexpr std::size_t RadixThreshold = 192;

bool isNondecreasing(std::span<const double> values) {
    for (std::size_t i = 1; i < values.size(); ++i)
        if (values[i] < values[i - 1]) return false;
    return true;
}

// Unsigned number in the order of the doubles; both zeros map to one key since they
// compare equal. NaNs land beyond the infinities, which keeps any sort well defined.
std::uint64_t orderKey(double v) {
    std::uint64_t u = bitsOf(v);
    u = v == 0.0 ? 0 : u;
    const std::uint64_t flip = static_cast<std::uint64_t>(static_cast<std::int64_t>(u) >> 63);
    return u ^ (flip | (std::uint64_t{1} << 63));
}

// Fenwick tree over slots 1..size holding one count per slot.
std::uint32_t prefixCount(const std::vector<std::uint32_t>& tree, std::uint32_t slots) {
    std::uint32_t total = 0;
    for (std::uint32_t i = slots; i > 0; i &= i - 1) total += tree[i];
    return total;
}

void addOne(std::vector<std::uint32_t>& tree, std::uint32_t slot, std::uint32_t size) {
    for (std::uint32_t i = slot; i <= size; i += i & (0u - i)) ++tree[i];
}

void removeOne(std::vector<std::uint32_t>& tree, std::uint32_t slot, std::uint32_t size) {
    for (std::uint32_t i = slot; i <= size; i += i & (0u - i)) --tree[i];
}

// 1-based slot holding the (rank+1)-th remaining count.
std::uint32_t findByRank(const std::vector<std::uint32_t>& tree, std::uint32_t size, std::uint32_t rank) {
    std::uint32_t pos = 0;
    std::uint32_t remaining = rank + 1;
    for (std::uint32_t step = std::bit_floor(size); step != 0; step >>= 1) {
        if (pos + step <= size && tree[pos + step] < remaining) {
            pos += step;
            remaining -= tree[pos];
        }
    }
    return pos + 1;
}

}  // namespace

// Ascending by value, equal values by position: a stable sort.
void ExchangePassOrder::sortKeys(std::span<const double> values) {
    const std::size_t n = values.size();
    if (keys_.size() < n) {
        keys_.resize(n);
        keysSpare_.resize(n);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t key = orderKey(values[i]);
        keys_[i] = {static_cast<std::uint32_t>(key >> 32), static_cast<std::uint32_t>(key),
                    static_cast<std::uint32_t>(i)};
    }

    if (n < RadixThreshold) {
        std::sort(keys_.begin(), keys_.begin() + n, [](const Key& a, const Key& b) {
            return a.order() < b.order() || (a.order() == b.order() && a.index < b.index);
        });
        return;
    }
    // Least significant byte first; each pass keeps the order of equal bytes, and the
    // keys start in position order. Bytes all keys share (most of them, inside a narrow
    // bucket) need no pass.
    std::array<std::array<std::uint32_t, 256>, 8> counts{};
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t key = keys_[i].order();
        for (int byte = 0; byte < 8; ++byte) ++counts[byte][(key >> (8 * byte)) & 0xff];
    }
    Key* from = keys_.data();
    Key* to = keysSpare_.data();
    for (int byte = 0; byte < 8; ++byte) {
        std::array<std::uint32_t, 256>& count = counts[byte];
        const int shift = 8 * byte;
        if (count[(from[0].order() >> shift) & 0xff] == n) continue;
        std::uint32_t offset = 0;
        for (std::uint32_t& c : count) offset += std::exchange(c, offset);
        for (std::size_t i = 0; i < n; ++i) to[count[(from[i].order() >> shift) & 0xff]++] = from[i];
        std::swap(from, to);
    }
    if (from != keys_.data()) keys_.swap(keysSpare_);
}

bool ExchangePassOrder::stableOrder(std::span<const double> values, std::span<std::uint32_t> order) {
    if (isNondecreasing(values)) {
        std::iota(order.begin(), order.begin() + values.size(), 0u);
        return false;
    }
    sortKeys(values);
    for (std::size_t k = 0; k < values.size(); ++k) order[k] = keys_[k].index;
    return true;
}

bool ExchangePassOrder::arrange(std::span<const double> values, std::span<std::uint32_t> order,
                                bool identicalTiesInterchangeable) {
    const std::size_t n = values.size();
    // Nothing is ever swapped in an ascending bucket.
    if (isNondecreasing(values)) {
        std::iota(order.begin(), order.begin() + n, 0u);
        return false;
    }
    sortKeys(values);
    for (std::size_t k = 0; k < n; ++k) order[k] = keys_[k].index;

    tied_.clear();
    for (std::size_t k = 0; k < n;) {
        std::size_t end = k + 1;
        bool mixedZeros = false;
        while (end < n && keys_[end].order() == keys_[k].order()) {
            mixedZeros |= std::signbit(values[keys_[end].index]) != std::signbit(values[keys_[k].index]);
            ++end;
        }
        if (end - k >= 2 && (!identicalTiesInterchangeable || mixedZeros))
            tied_.push_back({static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(end - k)});
        k = end;
    }
    if (tied_.empty()) return true;  // distinct values have only one ascending order

    if (gap_.size() < n) gap_.resize(n);
    // A scan per class costs about n each, the tree about n log n for all of them.
    if (tied_.size() < static_cast<std::size_t>(std::bit_width(n)))
        countSmallerByScan(values);
    else
        countSmallerByFenwick(n);
    for (const TiedClass& tied : tied_) orderClass(tied, order);
    return true;
}

void ExchangePassOrder::countSmallerByScan(std::span<const double> values) {
    const std::size_t n = values.size();
    for (const TiedClass& tied : tied_) {
        const Key* items = keys_.data() + tied.first;
        const double v = values[items[0].index];
        std::uint32_t next = 1;  // the class's item whose gap ends at the next occurrence
        std::uint32_t small = 0;
        for (std::size_t p = items[0].index + 1; p < n; ++p) {
            if (next < tied.size && p == items[next].index) {
                gap_[tied.first + next - 1] = small;
                small = 0;
                ++next;
            } else {
                small += values[p] < v;
            }
        }
        gap_[tied.first + tied.size - 1] = small;
    }
}

void ExchangePassOrder::countSmallerByFenwick(std::size_t n) {
    const auto size = static_cast<std::uint32_t>(n);
    fenwick_.assign(n + 1, 0);
    // Items are entered in ascending order, so when a class is reached the tree holds
    // exactly the smaller items.
    std::size_t p = 0;
    for (const TiedClass& tied : tied_) {
        for (; p < tied.first; ++p) addOne(fenwick_, keys_[p].index + 1, size);
        std::uint32_t before = prefixCount(fenwick_, keys_[tied.first].index);
        for (std::uint32_t k = 1; k < tied.size; ++k) {
            const std::uint32_t at = prefixCount(fenwick_, keys_[tied.first + k].index);
            gap_[tied.first + k - 1] = at - before;
            before = at;
        }
        gap_[tied.first + tied.size - 1] = tied.first - before;
    }
}

void ExchangePassOrder::orderClass(const TiedClass& tied, std::span<std::uint32_t> order) {
    const std::uint32_t m = tied.size;
    const Key* items = keys_.data() + tied.first;
    const std::uint32_t* gaps = gap_.data() + tied.first;
    std::uint32_t* result = order.data() + tied.first;

    std::uint64_t moves = 0;
    for (std::uint32_t k = 0; k < m; ++k) moves += gaps[k] % (k + 1);

    if (moves <= std::uint64_t{2} * m * std::bit_width(m)) {
        // Forwards, on a ring buffer: each rotation step moves the front item to the back.
        const std::uint32_t capacity = std::bit_ceil(m);
        const std::uint32_t mask = capacity - 1;
        if (queue_.size() < capacity) queue_.resize(capacity);
        std::uint32_t* ring = queue_.data();
        std::uint32_t head = 0;
        for (std::uint32_t k = 0; k < m; ++k) {
            ring[(head + k) & mask] = items[k].index;
            for (std::uint32_t r = gaps[k] % (k + 1); r > 0; --r, ++head)
                ring[(head + k + 1) & mask] = ring[head & mask];
        }
        for (std::uint32_t j = 0; j < m; ++j) result[j] = ring[(head + j) & mask];
        return;
    }

    // Backwards: the final front sits in slot 0. Item x_k joined just before the front it
    // then had, which lies (c_k mod k) places before the later front among the k slots
    // still free; the earlier front is the free slot right after x_k's.
    if (fenwick_.size() < m + 1) fenwick_.resize(m + 1);
    for (std::uint32_t i = 1; i <= m; ++i) fenwick_[i] = i & (0u - i);
    if (classOrder_.size() < m) classOrder_.resize(m);
    std::uint32_t front = 0;  // rank among the free slots
    for (std::uint32_t k = m; k >= 1; --k) {
        const std::uint32_t back = gaps[k - 1] % k + 1;
        const std::uint32_t rank = (front + k - back) % k;
        const std::uint32_t slot = findByRank(fenwick_, m, rank);
        removeOne(fenwick_, slot, m);
        classOrder_[slot - 1] = items[k - 1].index;
        front = k > 1 ? rank % (k - 1) : 0;
    }
    std::copy_n(classOrder_.begin(), m, result);
}

}  // namespace cpt
