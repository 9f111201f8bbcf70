// The locale-free decimal parser behind every number field and answer. What
// it accepts is never NaN and never negative zero, and a text it accepts
// stays accepted with a sign in front.
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
    if (!text.empty() && text.front() != '+' && text.front() != '-') {
        const std::optional<double> negated = cpt::parseDecimalExactly("-" + std::string(text));
        if (!negated || *negated != -*value) std::abort();
    }
    return 0;
}
