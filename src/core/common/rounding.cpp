#include "core/common/rounding.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>

namespace cpt {

double roundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which nobody here changes
    // from round-to-nearest-even; rint would do the same.
    return std::nearbyint(value);
}

namespace {
template <typename Int>
std::optional<Int> toInteger(double value) {
    double rounded = roundHalfEven(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
        return std::nullopt;  // NaN lands here too
    }
    return static_cast<Int>(rounded);
}
}  // namespace

std::optional<std::int16_t> toInt16(double value) { return toInteger<std::int16_t>(value); }
std::optional<std::int32_t> toInt32(double value) { return toInteger<std::int32_t>(value); }

std::optional<std::int64_t> toInt64(double value) {
    // 2^63 itself is a double but no int64: the upper test must be strict.
    double rounded = roundHalfEven(value);
    if (!(rounded >= -0x1p63 && rounded < 0x1p63)) return std::nullopt;
    return static_cast<std::int64_t>(rounded);
}

std::int64_t percentileRank(double count, double share) {
    const auto total = static_cast<std::int64_t>(count);
    return std::clamp<std::int64_t>(toInt64(count * share + 0.5).value_or(0), 1, total);
}

}  // namespace cpt
