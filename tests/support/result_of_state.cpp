#include "support/result_of_state.h"

#include <memory>

#include "core/analysis/cartesian_run.h"
#include "core/tables/letter_marking.h"
#include "core/tables/table_forms.h"

namespace cpt::testing {

CartesianResult resultOf(const AnalysisState& s) {
    CartesianResult result;
    const int n = s.TreatmentCount;
    for (int t = 1; t <= n; ++t) {
        TreatmentStatistics treatment;
        treatment.entry = t - 1;
        treatment.name = s.TreatmentName[t];
        treatment.code = s.TreatmentCode[t];
        treatment.source = s.TreatmentFileSorted[t];
        treatment.sampleSize = s.SampleSize[t];
        treatment.bootstrapNumber = s.BootstrapNumber[t];
        treatment.estimate = s.PointEstimate[t];
        treatment.mean = s.BootMean[t];
        treatment.variance = s.BootVariance[t];
        treatment.sd = s.BootSD[t];
        result.treatments.push_back(treatment);
    }
    std::vector<bool> significant;
    for (int i = 1; i < n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
            PairOutcome pair;
            pair.first = i - 1;
            pair.second = j - 1;
            pair.direction = directionOf(s.BootMean[i], s.BootMean[j]);
            pair.meanDifference = s.BootMeanDiff[i][j];
            pair.result = {s.SigCount[i][j],    s.InsigBelowCount[i][j], s.InsigAboveCount[i][j], s.InsigCount[i][j],
                           s.DiffMean[i][j],    s.DiffVariance[i][j],    s.DiffSD[i][j],          s.TLowerLimit[i][j],
                           s.TUpperLimit[i][j], s.PercentileLower[i][j], s.PercentileUpper[i][j], s.PValue[i][j]};
            result.pairs.push_back(pair);
            significant.push_back(isSignificant(s.PValue[i][j]));
        }
    }
    result.anova.dfBetween = s.DfBetween;
    result.anova.dfWithin = s.DfWithin;
    if (s.FValueDefined) result.anova.f = s.FValue;
    result.sidakAlpha = s.SidakAlpha;
    result.momentsFromSums = s.MomentsFromSums;
    result.parameterCode = s.LastTreatmentCode;
    result.letters = letterTreatments(n, significant);
    return result;
}

void keepResultOfState(AppContext& context) {
    auto run = std::make_shared<CartesianRun>();
    run->result = resultOf(context.state);
    context.cartesianRun = std::move(run);
}

}  // namespace cpt::testing
