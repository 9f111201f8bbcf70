#pragma once
// The begin of a run and the prefix of its files, as every front end's
// report and difference files carry them.
#include <string>

#include "core/common/date_time.h"

namespace cpt {

class Clock;

inline constexpr const char* CartesianOutputPrefix = "25A-Cartesian diff";

// When the run began, as its first stamp says.
struct RunBegin {
    DateTime moment;
    std::string stamp;  // "Cartesian paired test began at:..."
};
RunBegin beginRun(Clock& clock);

}  // namespace cpt
