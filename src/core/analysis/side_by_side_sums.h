#pragma once
// The Cartesian-order sums of several pairs of one shape in one loop. Each
// pair's additions still run strictly one after another, exactly as
// sumDifferences does them; but one chain of additions waits on each of its
// own, while chains of several pairs side by side keep the processor busy.
#include <cstddef>
#include <span>
#include <vector>

#include "core/analysis/pair_statistics.h"

namespace cpt {

struct PairSamples {
    std::span<const double> first;
    std::span<const double> second;
    bool firstMinusSecond = true;
};

// The most pairs summed side by side.
constexpr std::size_t SideBySidePairs = 4;

// Whether pairs of these sample sizes are summed side by side: the second
// samples are copied, interleaved, so they are kept small enough to stay in
// the cache (and to cost little memory).
bool sumsSideBySide(std::size_t firstCount, std::size_t secondCount);

// One to SideBySidePairs pairs, each with the sample sizes of the first:
// sums[p] is, bit for bit, sumDifferences of pairs[p].
std::vector<DifferenceSums> sumSideBySide(std::span<const PairSamples> pairs);

}  // namespace cpt
