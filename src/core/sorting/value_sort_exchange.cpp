#include "core/sorting/value_sort_exchange.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>

namespace cpt {
namespace {

// Up to this size a class's queue is replayed directly; the quadratic rotations are
// cheaper than setting up the tree.
constexpr std::uint32_t kDirectReplayLimit = 32;

bool isNondecreasing(std::span<const double> values) {
  for (std::size_t i = 1; i < values.size(); ++i)
    if (values[i] < values[i - 1]) return false;
  return true;
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
std::uint32_t findByRank(const std::vector<std::uint32_t>& tree, std::uint32_t size,
                         std::uint32_t rank) {
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

void ExchangePassOrder::sortKeys(std::span<const double> values) {
  const std::size_t n = values.size();
  keys_.resize(n);
  for (std::size_t i = 0; i < n; ++i) keys_[i] = {values[i], static_cast<std::uint32_t>(i)};
  std::sort(keys_.begin(), keys_.end(), [](const Key& a, const Key& b) {
    if (a.value < b.value) return true;
    if (b.value < a.value) return false;
    // Equal, unless a NaN slipped in: keep the order strict so the sort stays in bounds.
    const bool aNan = std::isnan(a.value), bNan = std::isnan(b.value);
    if (aNan != bNan) return bNan;
    return a.index < b.index;
  });
}

bool ExchangePassOrder::stableOrder(std::span<const double> values,
                                    std::span<std::uint32_t> order) {
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
    bool mixedBits = false;
    while (end < n && keys_[end].value == keys_[k].value) {
      mixedBits |= std::signbit(keys_[end].value) != std::signbit(keys_[k].value);
      ++end;
    }
    if (end - k >= 2 && (!identicalTiesInterchangeable || mixedBits))
      tied_.push_back({static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(end - k)});
    k = end;
  }
  if (tied_.empty()) return true;  // distinct values have only one ascending order

  gap_.resize(n);
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
    const double v = keys_[tied.first].value;
    std::uint32_t next = 1;  // the class's item whose gap ends at the next occurrence
    std::uint32_t small = 0;
    std::uint32_t nextPos = tied.size > 1 ? keys_[tied.first + 1].index : 0;
    for (std::size_t p = keys_[tied.first].index + 1; p < n; ++p) {
      if (next < tied.size && p == nextPos) {
        gap_[tied.first + next - 1] = small;
        small = 0;
        ++next;
        if (next < tied.size) nextPos = keys_[tied.first + next].index;
      } else if (values[p] < v) {
        ++small;
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
  classOrder_.resize(m);

  if (m <= kDirectReplayLimit) {
    for (std::uint32_t k = 0; k < m; ++k) {
      classOrder_[k] = items[k].index;
      const auto begin = classOrder_.begin();
      std::rotate(begin, begin + gaps[k] % (k + 1), begin + k + 1);
    }
  } else {
    // Backwards: the final front sits in slot 0. Item x_k joined just before the front
    // it then had, which lies (c_k mod k) places before the later front among the k
    // slots still free; the next earlier front is the free slot right after x_k's.
    fenwick_.resize(m + 1);
    for (std::uint32_t i = 1; i <= m; ++i) fenwick_[i] = i & (0u - i);
    std::uint32_t front = 0;  // rank among the free slots
    for (std::uint32_t k = m; k >= 1; --k) {
      const std::uint32_t back = gaps[k - 1] % k + 1;
      const std::uint32_t rank = (front + k - back) % k;
      const std::uint32_t slot = findByRank(fenwick_, m, rank);
      removeOne(fenwick_, slot, m);
      classOrder_[slot - 1] = items[k - 1].index;
      front = k > 1 ? rank % (k - 1) : 0;
    }
  }
  std::copy(classOrder_.begin(), classOrder_.end(), order.begin() + tied.first);
}

}  // namespace cpt
