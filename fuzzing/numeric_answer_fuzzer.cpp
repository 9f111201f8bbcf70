// The leading-number reading of input-box answers. Its result is never NaN,
// and a text that is a number as a whole reads as that number.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "core/common/decimal_parse.h"
#include "core/common/numeric_answer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = cpt::leadingNumber(text);
    if (std::isnan(value)) std::abort();
    if (std::optional<double> whole = cpt::parseDecimalExactly(text); whole && *whole != value) std::abort();
    return 0;
}
