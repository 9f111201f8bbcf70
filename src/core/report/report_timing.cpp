#include "core/report/report_timing.h"

#include "core/common/number_format.h"
#include "core/common/rounding.h"

namespace cpt {
namespace {
std::string twoDecimals(double value) { return textNumber(roundHalfEven(value * 100) / 100); }
}  // namespace

std::string totalTimeText(std::int64_t seconds) {
    if (seconds < 120) return "Total time = " + std::to_string(seconds) + " sec.";
    const double s = static_cast<double>(seconds);
    if (seconds < 3600) return "Total time = " + twoDecimals(s / 60) + " min.";
    return "Total time = " + twoDecimals(s / 3600) + " hr.";
}

}  // namespace cpt
