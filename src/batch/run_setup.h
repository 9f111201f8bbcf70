#pragma once
// What both batch runs do before the core runs: the clock they take and how
// they read the paths they were given.
#include <iosfwd>
#include <memory>
#include <string>

#include "core/common/clock.h"

namespace cpt::batch {

// The real clock, or one standing still at fixedTime. Nothing when the text
// is not a date and time (the complaint, naming the answer as fixedTimeName,
// goes to messages).
std::unique_ptr<Clock> makeClock(const std::string& fixedTime, const std::string& fixedTimeName,
                                 std::ostream& messages);

// Paths as the user gave them, made absolute against the folder the run
// started in, so that -C does not change what they mean.
std::string absolute(const std::string& path);

}  // namespace cpt::batch
