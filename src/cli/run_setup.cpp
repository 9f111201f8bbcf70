#include "cli/run_setup.h"

#include <iostream>

#include "core/common/date_time.h"

namespace cpt::cli {

std::unique_ptr<Clock> makeClock(const std::string& fixedTime) {
    if (fixedTime.empty()) return std::make_unique<SystemClock>();
    std::optional<DateTime> moment = parseDateTime(fixedTime);
    if (!moment) {
        std::cerr << "--fixed-time expects a date and time as 2026-12-09 22:32:02, not \"" << fixedTime << "\".\n";
        return nullptr;
    }
    return std::make_unique<FixedClock>(*moment);
}

std::string absolute(const std::string& path) { return std::filesystem::absolute(path).lexically_normal().string(); }

void printResult(const std::vector<std::filesystem::path>& written, const nlohmann::json* document) {
    if (document != nullptr) {
        // Text that is not UTF-8 (a Latin-1 name, a path with byte 0xFF) is
        // shown with U+FFFD here; the files keep their bytes.
        std::cout << document->dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        return;
    }
    for (const std::filesystem::path& path : written) std::cout << path.string() << '\n';
}

}  // namespace cpt::cli
