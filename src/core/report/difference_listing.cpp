#include "core/report/difference_listing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "core/common/number_format.h"

namespace cpt {
namespace {

constexpr std::int64_t HeaderLines = 7 + 10 + 4 * 9;
// A comma, about 17 characters of difference ("-.0123456789012" and an
// exponent now and then) and CR LF.
constexpr double LineBesidesNumber = 1 + 17 + 2;

}  // namespace

std::int64_t differenceFileLines(std::int64_t differences) { return 4 * differences + HeaderLines; }

double differenceFileBytes(std::int64_t differences) {
    const double numberDigits = std::floor(std::log10(static_cast<double>(std::max<std::int64_t>(differences, 1)))) + 1;
    return static_cast<double>(4 * differences) * (numberDigits + LineBesidesNumber);
}

std::string approximateSize(double bytes) {
    static constexpr std::array<std::string_view, 6> Units{"bytes", "kB", "MB", "GB", "TB", "PB"};
    std::size_t unit = 0;
    while (unit + 1 < Units.size() && bytes >= 1000) {
        bytes /= 1000;
        ++unit;
    }
    const double digits = bytes >= 100 ? 1 : bytes >= 10 ? 10 : 100;
    return "about " + textNumber(std::nearbyint(bytes * digits) / digits) + " " + std::string(Units[unit]);
}

std::string unlistedDifferencesQuestion(std::span<const double> bootstrapNumbers, std::int64_t capacity) {
    std::string pairs;
    const std::size_t count = bootstrapNumbers.size();
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t j = i + 1; j < count; ++j) {
            if (bootstrapNumbers[i] * bootstrapNumbers[j] <= static_cast<double>(capacity)) continue;
            const auto differences = static_cast<std::int64_t>(bootstrapNumbers[i] * bootstrapNumbers[j]);
            pairs += "Treatments " + std::to_string(i + 1) + " and " + std::to_string(j + 1) + " have " +
                     std::to_string(differences) + " Cartesian differences: their six difference files would hold " +
                     std::to_string(differenceFileLines(differences)) + " lines, " +
                     approximateSize(differenceFileBytes(differences)) + ".\n";
        }
    }
    if (pairs.empty()) return {};
    return "Difference files list at most " + std::to_string(capacity) + " differences a pair.\n" + pairs +
           "Go on without the difference files of these pairs?";
}

}  // namespace cpt
