#pragma once
// The closing line of the report: how long the run took.
#include <cstdint>
#include <string>

namespace cpt {

// Seconds below 2 minutes, minutes below an hour, hours from then on, the
// last two to two decimals.
std::string totalTimeText(std::int64_t seconds);

}  // namespace cpt
