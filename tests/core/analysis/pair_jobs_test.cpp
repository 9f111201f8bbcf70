// How the pairs are handed to the workers: every pair once, pairs of one
// shape together, the longest jobs first, and in Cartesian order one by one
// when difference files are written.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/analysis/pair_jobs.h"
#include "core/analysis/side_by_side_sums.h"

namespace cpt::testing {
namespace {

std::vector<int> everyPairOf(const std::vector<PairJob>& jobs) {
    std::vector<int> pairs;
    for (const PairJob& job : jobs) pairs.insert(pairs.end(), job.begin(), job.end());
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// Six listed pairs of 3000 by 3000, two of 30 by 30, one large pair and one
// listed pair too wide to copy side by side.
const std::vector<PairShape> Shapes = {
    {3000, 3000, true}, {30, 30, true},    {3000, 3000, true},       {3000, 3000, true}, {100000, 100000, false},
    {3000, 3000, true}, {3000, 3000, true}, {2, (1 << 15) + 1, true}, {30, 30, true},     {3000, 3000, true},
};

TEST(PairJobs, PairsOfOneShapeGoTogetherAndTheLongestJobsFirst) {
    const std::vector<PairJob> jobs = planPairJobs(Shapes, true);
    EXPECT_EQ(everyPairOf(jobs), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    const std::vector<PairJob> expected = {{0, 2, 3, 5}, {6, 9}, {4}, {7}, {1, 8}};
    EXPECT_EQ(jobs, expected);
    for (const PairJob& job : jobs) EXPECT_LE(job.size(), SideBySidePairs);
}

TEST(PairJobs, WithDifferenceFilesEveryPairGoesAloneInCartesianOrder) {
    const std::vector<PairJob> jobs = planPairJobs(Shapes, false);
    ASSERT_EQ(jobs.size(), Shapes.size());
    for (std::size_t k = 0; k < jobs.size(); ++k) EXPECT_EQ(jobs[k], PairJob{static_cast<int>(k)});
}

}  // namespace
}  // namespace cpt::testing
