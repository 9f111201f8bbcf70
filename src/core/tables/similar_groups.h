#pragma once
// The groups behind the letters: largest sets of treatments no two of which
// differ significantly (the maximal cliques of the "does not differ" graph).
#include <cstdint>
#include <span>
#include <vector>

namespace cpt {

// A set of treatments by position: bit t - 1 stands for treatment t.
using TreatmentSet = std::uint32_t;
inline constexpr int TreatmentSetCapacity = 32;

// differsFrom[t - 1] holds the treatments that differ significantly from
// treatment t (t itself not among them). From the pair flags in pair order
// (1,2), (1,3), ..., (1,n), (2,3), ..., true = significant. Throws
// std::invalid_argument for more than TreatmentSetCapacity treatments or a
// flag count other than n(n-1)/2.
std::vector<TreatmentSet> differingSets(int treatmentCount, const std::vector<bool>& pairSignificant);

// Every maximal group once (differsFrom symmetric, as differingSets gives it), ordered by the group's members in ascending
// position compared lexicographically ({1,3,4} before {1,4} before {2,3}).
// Each treatment lies in at least one group. Bron-Kerbosch with pivoting, so
// 26 treatments take microseconds even in the worst pattern.
std::vector<TreatmentSet> maximalSimilarGroups(std::span<const TreatmentSet> differsFrom);

}  // namespace cpt
