#include "batch/run_setup.h"

#include <filesystem>
#include <optional>
#include <ostream>

#include "core/common/date_time.h"

namespace cpt::batch {

std::unique_ptr<Clock> makeClock(const std::optional<DateTime>& fixedTime) {
    if (!fixedTime) return std::make_unique<SystemClock>();
    return std::make_unique<FixedClock>(*fixedTime);
}

std::string absolute(const std::string& path) { return std::filesystem::absolute(path).lexically_normal().string(); }

}  // namespace cpt::batch
