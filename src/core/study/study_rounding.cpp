#include "core/study/study_rounding.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "core/common/number_format.h"

namespace cpt {
namespace {

// A Double's exact decimal expansion has at most 767 significant digits and
// 1074 decimals; glibc's "%.*f" writes it exactly.
constexpr int ExactDecimals = 1074;
constexpr int ExactBufferSize = 310 + ExactDecimals + 8;

bool allZeroDigits(const std::string& text) {
    return text.find_first_not_of("-0.") == std::string::npos;
}

std::string withoutNegativeZero(std::string text) {
    if (!text.empty() && text.front() == '-' && allZeroDigits(text)) text.erase(0, 1);
    return text;
}

// Rounds |value| to a multiple of 10^power, power > 0, from its exact digits.
std::string roundedToTens(double value, int power) {
    static thread_local char exact[ExactBufferSize];
    std::snprintf(exact, sizeof exact, "%.*f", ExactDecimals, std::fabs(value));
    const std::string text(exact);
    const std::size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    const bool fractionIsZero = text.find_first_not_of('0', point + 1) == std::string::npos;
    const auto dropped = static_cast<std::size_t>(power);
    if (whole.size() <= dropped) whole.insert(0, dropped + 1 - whole.size(), '0');
    std::string kept = whole.substr(0, whole.size() - dropped);
    const std::string rest = whole.substr(whole.size() - dropped);
    bool up = false;
    if (rest[0] > '5') {
        up = true;
    } else if (rest[0] == '5') {
        const bool beyondHalf = rest.find_first_not_of('0', 1) != std::string::npos || !fractionIsZero;
        up = beyondHalf || (kept.back() - '0') % 2 == 1;
    }
    if (up) {
        std::size_t i = kept.size();
        while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
        if (i == 0) {
            kept.insert(kept.begin(), '1');
        } else {
            ++kept[i - 1];
        }
    }
    kept.erase(0, std::min(kept.find_first_not_of('0'), kept.size() - 1));
    std::string result = kept == "0" ? "0" : kept + std::string(dropped, '0');
    if (value < 0 && result != "0") result.insert(0, 1, '-');
    return result;
}

}  // namespace

std::string decimalRounded(double value, int power) {
    if (power > 0) return roundedToTens(value, power);
    char buffer[ExactBufferSize];
    std::snprintf(buffer, sizeof buffer, "%.*f", -power, value);
    return withoutNegativeZero(buffer);
}

RoundedPair roundEstimateAndError(double estimate, double standardError, int digits) {
    if (digits < 1 || digits > MaxStudyDigits) {
        throw std::invalid_argument("roundEstimateAndError: " + std::to_string(digits) + " significant digits");
    }
    if (!(standardError > 0) || !std::isfinite(standardError) || !std::isfinite(estimate)) {
        return {textNumber(estimate), textNumber(standardError)};
    }
    // "%.*e" rounds to the digits correctly and, on a carry, moves the
    // exponent: its exponent gives the SE's last place after the carry.
    char scientific[64];
    std::snprintf(scientific, sizeof scientific, "%.*e", digits - 1, standardError);
    const char* e = std::strchr(scientific, 'e');
    const int exponent = std::atoi(e + 1);
    const int power = exponent - (digits - 1);
    return {decimalRounded(estimate, power), decimalRounded(standardError, power)};
}

}  // namespace cpt
