#include "core/tables/similar_groups.h"

#include <algorithm>
#include <bit>
#include <stdexcept>
#include <string>

namespace cpt {
namespace {

TreatmentSet bitOf(int position) { return TreatmentSet{1} << position; }

class GroupSearch {
public:
    explicit GroupSearch(std::span<const TreatmentSet> differsFrom) {
        const int n = static_cast<int>(differsFrom.size());
        const TreatmentSet all = n == TreatmentSetCapacity ? ~TreatmentSet{0} : bitOf(n) - 1;
        similar_.resize(differsFrom.size());
        for (int t = 0; t < n; ++t) {
            similar_[static_cast<std::size_t>(t)] = all & ~differsFrom[static_cast<std::size_t>(t)] & ~bitOf(t);
        }
        extend(0, all, 0);
    }

    std::vector<TreatmentSet> groups() && { return std::move(groups_); }

private:
    // group: the members so far; candidates: treatments similar to every
    // member and not yet tried; excluded: such treatments already tried, whose
    // groups have been reported.
    void extend(TreatmentSet group, TreatmentSet candidates, TreatmentSet excluded) {
        if (candidates == 0) {
            if (excluded == 0) groups_.push_back(group);
            return;
        }
        // The pivot with most similar candidates leaves the fewest branches.
        TreatmentSet pivotSimilar = 0;
        int best = -1;
        for (TreatmentSet rest = candidates | excluded; rest != 0; rest &= rest - 1) {
            const TreatmentSet near = similar_[static_cast<std::size_t>(std::countr_zero(rest))];
            const int reach = std::popcount(candidates & near);
            if (reach > best) {
                best = reach;
                pivotSimilar = near;
            }
        }
        for (TreatmentSet branches = candidates & ~pivotSimilar; branches != 0; branches &= branches - 1) {
            const int t = std::countr_zero(branches);
            const TreatmentSet near = similar_[static_cast<std::size_t>(t)];
            extend(group | bitOf(t), candidates & near, excluded & near);
            candidates &= ~bitOf(t);
            excluded |= bitOf(t);
        }
    }

    std::vector<TreatmentSet> similar_;
    std::vector<TreatmentSet> groups_;
};

// Lexicographic order of the sorted member lists.
bool membersBefore(TreatmentSet a, TreatmentSet b) {
    const TreatmentSet differing = a ^ b;
    if (differing == 0) return false;
    const TreatmentSet first = differing & (~differing + 1);
    // Below the first differing position both lists agree; a list that ends
    // there is a prefix of the other and comes first.
    const TreatmentSet above = ~(first | (first - 1));
    if ((a & first) != 0) return (b & above) != 0;
    return (a & above) == 0;
}

}  // namespace

std::vector<TreatmentSet> differingSets(int treatmentCount, const std::vector<bool>& pairSignificant) {
    if (treatmentCount < 0 || treatmentCount > TreatmentSetCapacity) {
        throw std::invalid_argument("differingSets: " + std::to_string(treatmentCount) +
                                    " treatments; at most " + std::to_string(TreatmentSetCapacity) + " can be grouped");
    }
    const std::size_t pairs =
        static_cast<std::size_t>(treatmentCount) * static_cast<std::size_t>(std::max(treatmentCount - 1, 0)) / 2;
    if (pairSignificant.size() != pairs) {
        throw std::invalid_argument("differingSets: " + std::to_string(pairSignificant.size()) + " pair flags for " +
                                    std::to_string(treatmentCount) + " treatments, which have " +
                                    std::to_string(pairs) + " pairs");
    }
    std::vector<TreatmentSet> differs(static_cast<std::size_t>(treatmentCount), 0);
    std::size_t k = 0;
    for (int i = 0; i < treatmentCount; ++i) {
        for (int j = i + 1; j < treatmentCount; ++j, ++k) {
            if (pairSignificant[k]) {
                differs[static_cast<std::size_t>(i)] |= bitOf(j);
                differs[static_cast<std::size_t>(j)] |= bitOf(i);
            }
        }
    }
    return differs;
}

std::vector<TreatmentSet> maximalSimilarGroups(std::span<const TreatmentSet> differsFrom) {
    if (differsFrom.size() > static_cast<std::size_t>(TreatmentSetCapacity)) {
        throw std::invalid_argument("maximalSimilarGroups: " + std::to_string(differsFrom.size()) +
                                    " treatments; at most " + std::to_string(TreatmentSetCapacity) + " can be grouped");
    }
    if (differsFrom.empty()) return {};
    std::vector<TreatmentSet> groups = GroupSearch(differsFrom).groups();
    std::sort(groups.begin(), groups.end(), membersBefore);
    return groups;
}

}  // namespace cpt
