#pragma once
// Conversions of real numbers to whole numbers: nearest, halves to the even
// neighbour. The integer conversions say when the value does not fit.
#include <cstdint>
#include <optional>

namespace cpt {

double roundHalfEven(double value);
std::optional<std::int16_t> toInt16(double value);
std::optional<std::int32_t> toInt32(double value);
std::optional<std::int64_t> toInt64(double value);

// Rank of a percentile limit among `count` ordered values (a count of
// differences B_j x B_i as a double): count x share + 0.5, halves to even,
// kept within 1 to count.
std::int64_t percentileRank(double count, double share);

}  // namespace cpt
