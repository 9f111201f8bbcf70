#pragma once
// Counts of the differences fl(a - b), a from minuends and b from
// subtrahends, both sorted ascending, by one sweep over both samples:
// fl(a - b) never decreases as a grows or b shrinks, so for each a the
// differences within the limit come from a suffix of b that only shrinks.
// The differences themselves are never listed.
#include <cstdint>
#include <span>

namespace cpt {

std::int64_t differencesBelow(std::span<const double> sortedMinuends, std::span<const double> sortedSubtrahends,
                              double limit);
std::int64_t differencesAtMost(std::span<const double> sortedMinuends, std::span<const double> sortedSubtrahends,
                               double limit);

}  // namespace cpt
