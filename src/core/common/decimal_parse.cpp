#include "core/common/decimal_parse.h"

#include <cstdint>
#include <system_error>

#include <fast_float/fast_float.h>

namespace cpt {
namespace {

constexpr double ExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t LargestExactWhole = std::uint64_t{1} << 53;

// Most fields are plain decimals of a few digits ("4017", ".0660871342834174").
// When their digits form a whole number up to 2^53 and at most 22 of them follow
// the point, both that number and the power of ten are exact Doubles, and one
// division rounds their quotient correctly: the value fast_float gives, sooner.
// Anything else (exponents, long digit strings, stray characters) gets nothing
// here and takes the general way.
std::optional<double> plainDecimal(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    std::uint64_t whole = 0;  // wraps past 19 digits, which are then refused
    auto digitRun = [&] {
        const char* const first = p;
        for (; p != end && *p >= '0' && *p <= '9'; ++p) whole = whole * 10 + static_cast<std::uint64_t>(*p - '0');
        return static_cast<int>(p - first);
    };
    const int wholeDigits = digitRun();
    int fractionDigits = 0;
    if (p != end && *p == '.') {
        ++p;
        fractionDigits = digitRun();
    }
    const int digits = wholeDigits + fractionDigits;
    if (p != end || digits == 0 || digits > 19 || whole > LargestExactWhole || fractionDigits > 22) {
        return std::nullopt;
    }
    const double value = static_cast<double>(whole);
    return fractionDigits > 0 ? value / ExactPowersOfTen[fractionDigits] : value;
}

}  // namespace

std::optional<double> parseDecimalExactly(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // fast_float would also take "inf" and "nan".
    if (text.empty() || !(text.front() == '.' || (text.front() >= '0' && text.front() <= '9'))) {
        return std::nullopt;
    }
    if (std::optional<double> plain = plainDecimal(text)) {
        return negative && *plain != 0.0 ? -*plain : *plain;
    }
    double value = 0.0;
    auto [end, error] = fast_float::from_chars(text.data(), text.data() + text.size(), value,
                                               fast_float::chars_format::general);
    // Beyond the largest Double fast_float gives an infinity, and 0 below the
    // smallest, as strtod does.
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (negative) value = -value;
    return value == 0.0 ? 0.0 : value;
}

double parseDecimal(std::string_view text) { return parseDecimalExactly(text).value_or(0.0); }

}  // namespace cpt
