#include "core/cartesian/exact_pair.h"

#include <algorithm>

#include "core/common/rounding.h"

namespace cpt {

std::int64_t percentileRank(double differences, double share) {
    const std::int64_t total = static_cast<std::int64_t>(differences);
    return std::clamp<std::int64_t>(toInt64(differences * share + 0.5).value_or(0), 1, total);
}

ExactPairFigures exactPairFigures(std::span<const double> sortedMinuends, std::span<const double> sortedSubtrahends,
                                  const ExactSum& minuendSums, const ExactSum& subtrahendSums, double observedDiff,
                                  DifferenceRanking& ranking) {
    ranking.assignSorted(sortedMinuends, sortedSubtrahends);
    ExactPairFigures figures;
    figures.counts = ranking.judge(observedDiff);
    figures.moments = exactDifferenceMoments(minuendSums, subtrahendSums);
    const double differences =
        static_cast<double>(sortedSubtrahends.size()) * static_cast<double>(sortedMinuends.size());
    figures.percentileLower = ranking.smallest(percentileRank(differences, 0.025));
    figures.percentileUpper = ranking.smallest(percentileRank(differences, 0.975));
    return figures;
}

}  // namespace cpt
