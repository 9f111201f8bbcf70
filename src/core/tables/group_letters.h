#pragma once
// Letters by one rule for any number of treatments: each maximal group of
// treatments that do not differ gets a letter, in the order of the groups.
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "core/tables/similar_groups.h"

namespace cpt {

// a to z, then A to Z.
inline constexpr std::size_t GroupLetterCount = 52;
char groupLetter(std::size_t groupIndex);

struct GroupLettering {
    std::size_t groupCount = 0;
    // One letter label (" ab") per treatment in treatment order: the letters
    // of its groups, in group order. Empty when groupCount exceeds
    // GroupLetterCount: then no marking is given at all.
    std::vector<std::string> labels;
};

// groups as maximalSimilarGroups orders them.
GroupLettering letterGroups(std::span<const TreatmentSet> groups, int treatmentCount);

// The pair flags in pair order (1,2), (1,3), ..., true = significant.
GroupLettering letterBySimilarGroups(int treatmentCount, const std::vector<bool>& pairSignificant);

}  // namespace cpt
