#pragma once
// What both batch runs do before the core runs: the clock they take and how
// they read the paths they were given.
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "core/common/clock.h"
#include "core/common/date_time.h"

namespace cpt::batch {

// The real clock, or one standing still at fixedTime.
std::unique_ptr<Clock> makeClock(const std::optional<DateTime>& fixedTime);

// Paths as the user gave them, made absolute against the folder the run
// started in, so that -C does not change what they mean.
std::string absolute(const std::string& path);

}  // namespace cpt::batch
