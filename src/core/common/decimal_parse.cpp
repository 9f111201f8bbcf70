#include "core/common/decimal_parse.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace cpt {

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
        // Either too large or too small in magnitude; tell which by the exponent.
        bool tiny = text.find_first_of("eE") != std::string_view::npos &&
                    text.find('-', text.find_first_of("eE")) != std::string_view::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc()) {
        return std::nullopt;
    }
    if (negative) value = -value;
    return value == 0.0 ? 0.0 : value;
}

double parseDecimal(std::string_view text) { return parseDecimalExactly(text).value_or(0.0); }

}  // namespace cpt
