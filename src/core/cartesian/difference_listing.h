#pragma once
// How big the six difference files of a pair would be: asked before a run
// whose pairs have more differences than can sensibly be listed.
#include <cstdint>
#include <string>

namespace cpt {

// Four lines per difference (Cartesian number or running count, and the
// difference) plus the six headers.
std::int64_t differenceFileLines(std::int64_t differences);
// Bytes, from the line numbers' digits and a typical 15-digit difference.
double differenceFileBytes(std::int64_t differences);
// "about 132 TB": three significant digits in the largest fitting unit.
std::string approximateSize(double bytes);

}  // namespace cpt
