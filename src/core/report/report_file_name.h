#pragma once
// The name of a report file: the output prefix, " results-", the parameter's
// code, "_", then a date-time stamp or the user's code and a random number.
#include <string>
#include <string_view>

#include "core/common/date_time.h"

namespace cpt {

class Clock;

// 8 December 2026, 9:05:07 gives "2026128-957": no leading zeros, no separators.
std::string compactStamp(const DateTime& moment);

// The code "1" asks for the date-time stamp; any other code, the empty one
// included, is kept with a blank and a random whole number 0..1000.
std::string reportFileName(std::string_view outputPrefix, std::string_view parameterCode, std::string_view code,
                           Clock& clock);

// The name with " (number)" put before its ".txt" (number 1: the name itself).
std::string numberedFileName(std::string_view name, int number);

// How many numbers the search for a free name tries before it gives up.
inline constexpr int MaxNameNumber = 1000;

}  // namespace cpt
