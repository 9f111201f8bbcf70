#pragma once
#include <optional>
#include <string_view>

namespace cpt {

// Parses a whole text as a decimal number ("-.5", "+3", "1.5E-3"), independent
// of the locale. Magnitudes too large for a Double give an infinity, those
// too small the correctly rounded subnormal or 0, as strtod does; a text
// that is not entirely a number gives nothing. Negative zero comes back as 0.
std::optional<double> parseDecimalExactly(std::string_view text);

// Same, for a text already known to be a well-formed number.
double parseDecimal(std::string_view text);

}  // namespace cpt
