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

}  // namespace cpt
