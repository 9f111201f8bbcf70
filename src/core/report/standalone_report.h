#pragma once
// The report of a result made outside the window's session (cpt, the web
// page, R): named from its code and the clock like the window's, never over
// an existing file, stamped with the run's begin and its end.
#include <filesystem>
#include <string>

#include "core/common/date_time.h"

namespace cpt {

class Clock;
struct CartesianResult;

inline constexpr const char* CartesianOutputPrefix = "25A-Cartesian diff";

// When the run began, as its first stamp says.
struct RunBegin {
    DateTime moment;
    std::string stamp;  // "Cartesian paired test began at:..."
};
RunBegin beginRun(Clock& clock);

// Writes the report into the folder and returns its path. Throws
// ReportNotCreated (the system's reason) when no file can be created under
// the name, UserError when it cannot be written; nothing stays then.
std::filesystem::path writeStandaloneReport(const std::filesystem::path& folder, const CartesianResult& result,
                                            const std::string& code, Clock& clock, const RunBegin& begin);

}  // namespace cpt
