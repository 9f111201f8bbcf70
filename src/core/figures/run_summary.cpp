#include "core/figures/run_summary.h"

#include <algorithm>
#include <cmath>

#include "core/common/rounding.h"
#include "core/tables/table_forms.h"

namespace cpt::figures {

double percentileOf(const std::vector<double>& sorted, double fraction) {
    if (sorted.empty()) return 0;
    const std::int64_t rank = percentileRank(static_cast<double>(sorted.size()), fraction);
    return sorted[static_cast<std::size_t>(rank) - 1];
}

DifferenceHistogram RunSummary::histogram(const PairSummary& pair, int binCount) const {
    const auto& values = *sortedValues;
    return differenceHistogram(values.at(static_cast<std::size_t>(pair.minuend)),
                               values.at(static_cast<std::size_t>(pair.subtrahend)), binCount);
}

RunSummary summarizeRun(const CartesianResult& result, std::span<const Treatment> treatments) {
    RunSummary summary;
    summary.parameterCode = result.parameterCode;
    summary.alpha = SignificanceLevel;
    const std::vector<std::string>& letters = result.letters.labels;
    auto sorted = std::make_shared<std::vector<std::vector<double>>>();
    for (std::size_t t = 0; t < result.treatments.size(); ++t) {
        const TreatmentStatistics& statistics = result.treatments[t];
        const BootstrapValues& own = treatments[static_cast<std::size_t>(statistics.entry)].values;
        std::vector<double> values(own.begin(), own.end());
        std::sort(values.begin(), values.end());
        TreatmentSummary treatment;
        treatment.name = statistics.name;
        treatment.mean = statistics.mean;
        treatment.standardError = statistics.sd;
        treatment.percentileLower = percentileOf(values, 0.025);
        treatment.percentileUpper = percentileOf(values, 0.975);
        if (t < letters.size()) {
            std::string_view label = letters[t];
            while (!label.empty() && label.front() == ' ') label.remove_prefix(1);
            treatment.letters = std::string(label);
        }
        treatment.valueCount = static_cast<std::int64_t>(values.size());
        summary.treatments.push_back(std::move(treatment));
        sorted->push_back(std::move(values));
    }
    for (const PairOutcome& outcome : result.pairs) {
        PairSummary pair;
        pair.first = outcome.first;
        pair.second = outcome.second;
        const bool firstMinusSecond = outcome.direction.firstMinusSecond;
        pair.minuend = firstMinusSecond ? outcome.first : outcome.second;
        pair.subtrahend = firstMinusSecond ? outcome.second : outcome.first;
        pair.meanDifference = outcome.result.mean;
        pair.tLower = outcome.result.tLower;
        pair.tUpper = outcome.result.tUpper;
        pair.percentileLower = outcome.result.percentileLower;
        pair.percentileUpper = outcome.result.percentileUpper;
        pair.pValue = outcome.result.pValue;
        pair.differenceCount = static_cast<std::int64_t>((*sorted)[static_cast<std::size_t>(outcome.first)].size()) *
                               static_cast<std::int64_t>((*sorted)[static_cast<std::size_t>(outcome.second)].size());
        summary.pairs.push_back(pair);
    }
    summary.sortedValues = std::move(sorted);
    return summary;
}

}  // namespace cpt::figures
