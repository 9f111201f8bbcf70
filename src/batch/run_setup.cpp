#include "batch/run_setup.h"

#include <filesystem>
#include <optional>
#include <ostream>

#include "core/common/date_time.h"

namespace cpt::batch {

std::unique_ptr<Clock> makeClock(const std::string& fixedTime, const std::string& fixedTimeName,
                                 std::ostream& messages) {
    if (fixedTime.empty()) return std::make_unique<SystemClock>();
    std::optional<DateTime> moment = parseDateTime(fixedTime);
    if (!moment) {
        messages << fixedTimeName << " expects a date and time as 2026-12-09 22:32:02, not \"" << fixedTime << "\".\n";
        return nullptr;
    }
    return std::make_unique<FixedClock>(*moment);
}

std::string absolute(const std::string& path) { return std::filesystem::absolute(path).lexically_normal().string(); }

}  // namespace cpt::batch
