#pragma once
// The program's moments are local calendar times; the office files' stamps
// are taken as the system's time values.
#include <ctime>

#include "core/common/date_time.h"

namespace cpt {

// The moment of the local calendar time (daylight saving as the system has it then).
std::time_t systemTimeOf(const DateTime& moment);

}  // namespace cpt
