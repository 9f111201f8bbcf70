#pragma once
// The second stage of a Cartesian run: per-treatment statistics, the analysis
// of variance and, pair by pair, the judged and counted differences.
namespace cpt {

class AppContext;

// Everything up to the report: fills the per-treatment members, the analysis
// of variance and the pair tables, writes the difference files when asked.
void ComputeCartesianDifferences(AppContext& context);

// Whether the run writes the difference files of pair (i, j): asked for, and
// the pair within the context's differenceListCapacity.
bool pairListsDifferences(const AppContext& context, int i, int j);

// ComputeCartesianDifferences, then the report.
void CartesianDifference2(AppContext& context);

}  // namespace cpt
