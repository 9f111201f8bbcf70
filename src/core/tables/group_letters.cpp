#include "core/tables/group_letters.h"

#include <stdexcept>

namespace cpt {

char groupLetter(std::size_t groupIndex) {
    if (groupIndex < 26) return static_cast<char>('a' + groupIndex);
    if (groupIndex < GroupLetterCount) return static_cast<char>('A' + (groupIndex - 26));
    throw std::out_of_range("groupLetter: group " + std::to_string(groupIndex + 1) + " has no letter; there are " +
                            std::to_string(GroupLetterCount));
}

GroupLettering letterGroups(std::span<const TreatmentSet> groups, int treatmentCount) {
    GroupLettering lettering;
    lettering.groupCount = groups.size();
    if (groups.size() > GroupLetterCount) return lettering;
    lettering.labels.assign(static_cast<std::size_t>(treatmentCount), " ");
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (int t = 0; t < treatmentCount; ++t) {
            if ((groups[g] >> t) & 1U) lettering.labels[static_cast<std::size_t>(t)] += groupLetter(g);
        }
    }
    return lettering;
}

GroupLettering letterBySimilarGroups(int treatmentCount, const std::vector<bool>& pairSignificant) {
    const std::vector<TreatmentSet> differs = differingSets(treatmentCount, pairSignificant);
    return letterGroups(maximalSimilarGroups(differs), treatmentCount);
}

}  // namespace cpt
