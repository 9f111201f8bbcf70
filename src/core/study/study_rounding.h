#pragma once
// How a study table writes "estimate ± SE": the SE to a number of significant
// digits, the estimate to the same last place. Every rounding is of the
// Double's exact binary value, to the nearest, halves to the even neighbour
// (0.095 is stored as 0.0950000000000000011, so it stays 0.095).
#include <string>

namespace cpt {

inline constexpr int DefaultStudyDigits = 2;
inline constexpr int MaxStudyDigits = 15;

// The value rounded to a whole multiple of 10^power (power < 0: -power
// decimals, trailing zeros kept; power > 0: zeros before the point). A
// result of zero carries no minus sign.
std::string decimalRounded(double value, int power);

struct RoundedPair {
    std::string estimate;
    std::string standardError;
};

// The SE to `digits` significant digits (1 to MaxStudyDigits); a carry keeps
// that many (0.0996 gives "0.10", not "0.100"), and an SE of 10^digits or
// more is written with zeros ("120"), the estimate then rounded to the same
// tens. An SE of 0, a negative one or a value that is not finite gives both
// numbers in the text form ("0.5", "0").
RoundedPair roundEstimateAndError(double estimate, double standardError, int digits);

}  // namespace cpt
