// The locale-free decimal parser behind every number field and answer. What
// it accepts is never NaN and never negative zero, a text it accepts stays
// accepted with a sign in front, and a plain decimal (digits and a point,
// which take a quicker way) has the value strtod gives it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/decimal_parse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> value = cpt::parseDecimalExactly(text);
    if (!value) return 0;
    if (std::isnan(*value) || (*value == 0 && std::signbit(*value))) std::abort();
    if (text.find_first_not_of("+-.0123456789") == std::string_view::npos) {
        const std::string copy(text);
        char* end = nullptr;
        const double expected = std::strtod(copy.c_str(), &end);
        if (end != copy.c_str() + copy.size() || *value != expected + 0.0) std::abort();
    }
    if (!text.empty() && text.front() != '+' && text.front() != '-') {
        const std::optional<double> negated = cpt::parseDecimalExactly("-" + std::string(text));
        if (!negated || *negated != -*value) std::abort();
    }
    return 0;
}
