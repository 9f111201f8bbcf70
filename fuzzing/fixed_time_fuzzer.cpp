// The date and time of --fixed-time. What it accepts must come back the same
// from its own printed form, and its seconds must lead back to it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "core/common/date_time.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<cpt::DateTime> moment = cpt::parseDateTime(text);
    if (!moment) return 0;
    if (cpt::parseDateTime(cpt::formatDateTime(*moment)) != moment) std::abort();
    if (cpt::fromSecondsSinceEpoch(cpt::secondsSinceEpoch(*moment)) != *moment) std::abort();
    return 0;
}
