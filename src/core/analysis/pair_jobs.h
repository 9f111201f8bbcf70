#pragma once
// Which pairs a worker takes at once, and in what order. Listed pairs of one
// shape go together, up to SideBySidePairs, for their sums; the jobs run the
// longest first, so that the last ones are short and no core waits long on
// another at the end.
#include <cstdint>
#include <span>
#include <vector>

namespace cpt {

struct PairShape {
    std::int32_t firstCount = 0;
    std::int32_t secondCount = 0;
    bool listed = true;  // its differences formed one by one
};

// Indices into the pairs, in Cartesian order within a job.
using PairJob = std::vector<int>;

// With together false, every pair is a job of its own, in Cartesian order
// (as difference files are written).
std::vector<PairJob> planPairJobs(std::span<const PairShape> pairs, bool together);

}  // namespace cpt
