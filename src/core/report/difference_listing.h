#pragma once
// How big the six difference files of a pair would be: asked before a run
// whose pairs have more differences than can sensibly be listed.
#include <cstdint>
#include <string>
#include <span>
#include <string_view>

namespace cpt {

// The title of the question that asks whether the run goes on without the
// difference files of its pairs too large to list.
inline constexpr std::string_view UnlistedDifferencesTitle = "Difference files too large";

// The question before a run with difference files whose pairs (B in mean
// order) are not all within the capacity: which pairs, how large their files
// would be, and whether to go on without them. Empty when every pair is listed.
std::string unlistedDifferencesQuestion(std::span<const double> bootstrapNumbers, std::int64_t capacity);

// Four lines per difference (Cartesian number or running count, and the
// difference) plus the six headers.
std::int64_t differenceFileLines(std::int64_t differences);
// Bytes, from the line numbers' digits and a typical 15-digit difference.
double differenceFileBytes(std::int64_t differences);
// "about 132 TB": three significant digits in the largest fitting unit.
std::string approximateSize(double bytes);

}  // namespace cpt
