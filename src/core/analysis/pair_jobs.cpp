#include "core/analysis/pair_jobs.h"

#include <algorithm>
#include <map>
#include <utility>

#include "core/analysis/side_by_side_sums.h"

namespace cpt {
namespace {

// A rough guess of a job's time, only to order the jobs: a listed pair
// costs its differences; a large one a few sweeps over its two samples per
// round of its rankings.
double costOf(const PairJob& job, std::span<const PairShape> pairs) {
    double cost = 0;
    for (const int p : job) {
        const PairShape& shape = pairs[static_cast<std::size_t>(p)];
        const double first = shape.firstCount;
        const double second = shape.secondCount;
        cost += shape.listed ? first * second : 64 * (first + second);
    }
    return cost;
}

}  // namespace

std::vector<PairJob> planPairJobs(std::span<const PairShape> pairs, bool together) {
    std::vector<PairJob> jobs;
    std::map<std::pair<std::int32_t, std::int32_t>, PairJob> filling;
    for (int p = 0; p < static_cast<int>(pairs.size()); ++p) {
        const PairShape& shape = pairs[static_cast<std::size_t>(p)];
        const bool sideBySide = together && shape.listed &&
                                sumsSideBySide(static_cast<std::size_t>(shape.firstCount),
                                               static_cast<std::size_t>(shape.secondCount));
        if (!sideBySide) {
            jobs.push_back({p});
            continue;
        }
        PairJob& job = filling[{shape.firstCount, shape.secondCount}];
        job.push_back(p);
        if (job.size() == SideBySidePairs) jobs.push_back(std::exchange(job, {}));
    }
    for (auto& entry : filling) {
        if (!entry.second.empty()) jobs.push_back(std::move(entry.second));
    }
    if (!together) return jobs;
    std::vector<double> costs;
    for (const PairJob& job : jobs) costs.push_back(costOf(job, pairs));
    std::vector<std::size_t> order(jobs.size());
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return costs[a] > costs[b]; });
    std::vector<PairJob> longestFirst;
    for (const std::size_t k : order) longestFirst.push_back(std::move(jobs[k]));
    return longestFirst;
}

}  // namespace cpt
