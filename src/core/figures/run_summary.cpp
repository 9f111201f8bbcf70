#include "core/figures/run_summary.h"

#include <algorithm>
#include <cmath>

#include "core/common/rounding.h"
#include "core/state/analysis_state.h"
#include "core/tables/letter_marking.h"
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

RunSummary summarizeRun(const AnalysisState& state) {
    RunSummary summary;
    summary.parameterCode = state.LastTreatmentCode;
    summary.alpha = SignificanceLevel;
    const int n = state.TreatmentCount;
    const auto letters = letterLabels(state);
    auto sorted = std::make_shared<std::vector<std::vector<double>>>();
    for (int t = 1; t <= n; ++t) {
        const std::int32_t count = std::max<std::int32_t>(state.BootstrapNumber[t], 0);
        std::vector<double> values(state.BootValueWork[t].from1(), state.BootValueWork[t].from1() + count);
        std::sort(values.begin(), values.end());
        TreatmentSummary treatment;
        treatment.name = state.TreatmentName[t];
        treatment.mean = state.BootMean[t];
        treatment.standardError = state.BootSD[t];
        treatment.percentileLower = percentileOf(values, 0.025);
        treatment.percentileUpper = percentileOf(values, 0.975);
        const auto position = static_cast<std::size_t>(t - 1);
        if (position < letters.size()) {
            std::string_view label = letters[position];
            while (!label.empty() && label.front() == ' ') label.remove_prefix(1);
            treatment.letters = std::string(label);
        }
        treatment.valueCount = count;
        summary.treatments.push_back(std::move(treatment));
        sorted->push_back(std::move(values));
    }
    for (int i = 1; i < n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
            PairSummary pair;
            pair.first = i - 1;
            pair.second = j - 1;
            const bool firstMinusSecond = state.BootMean[i] > state.BootMean[j];
            pair.minuend = firstMinusSecond ? i - 1 : j - 1;
            pair.subtrahend = firstMinusSecond ? j - 1 : i - 1;
            pair.meanDifference = state.DiffMean[i][j];
            pair.tLower = state.TLowerLimit[i][j];
            pair.tUpper = state.TUpperLimit[i][j];
            pair.percentileLower = state.PercentileLower[i][j];
            pair.percentileUpper = state.PercentileUpper[i][j];
            pair.pValue = state.PValue[i][j];
            pair.differenceCount = static_cast<std::int64_t>((*sorted)[static_cast<std::size_t>(i - 1)].size()) *
                                   static_cast<std::int64_t>((*sorted)[static_cast<std::size_t>(j - 1)].size());
            summary.pairs.push_back(pair);
        }
    }
    summary.sortedValues = std::move(sorted);
    return summary;
}

}  // namespace cpt::figures
