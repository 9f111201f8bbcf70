#include "core/common/decimal_parse.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace cpt {
namespace {

// Decimal exponent of the first non-zero digit of a well-formed number
// ("123" 2, "0.05" -2, "1E-401" -401), saturated far beyond any Double.
long leadingDigitExponent(std::string_view text) {
    constexpr long Saturation = 1'000'000'000;
    long exponent = 0;
    const std::size_t e = text.find_first_of("eE");
    if (e != std::string_view::npos) {
        std::string_view digits = text.substr(e + 1);
        bool negative = false;
        if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
            negative = digits.front() == '-';
            digits.remove_prefix(1);
        }
        for (char c : digits) exponent = std::min(Saturation, exponent * 10 + (c - '0'));
        if (negative) exponent = -exponent;
        text = text.substr(0, e);
    }
    const std::size_t point = std::min(text.find('.'), text.size());
    const std::size_t first = text.find_first_not_of("0.");
    if (first == std::string_view::npos) return -Saturation;  // zero
    const long position = first < point ? static_cast<long>(point - first) - 1 : -static_cast<long>(first - point);
    return exponent + position;
}

}  // namespace

std::optional<double> parseDecimalExactly(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would also take "inf", "nan" and hexadecimal forms.
    if (text.empty() || !(text.front() == '.' || (text.front() >= '0' && text.front() <= '9'))) {
        return std::nullopt;
    }
    double value = 0.0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value,
                                        std::chars_format::general);
    if (end != text.data() + text.size()) return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Beyond the largest Double, or so small that it rounds to 0.
        value = leadingDigitExponent(text) >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        return std::nullopt;
    }
    if (negative) value = -value;
    return value == 0.0 ? 0.0 : value;
}

double parseDecimal(std::string_view text) { return parseDecimalExactly(text).value_or(0.0); }

}  // namespace cpt
