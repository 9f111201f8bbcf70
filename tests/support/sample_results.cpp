#include "support/sample_results.h"

#include <vector>

#include "core/tables/letter_marking.h"
#include "core/tables/table_forms.h"

namespace cpt::testing {

ResultBuilder& ResultBuilder::treatment(int t, const TreatmentValues& v) {
    TreatmentStatistics& s = treatmentAt(t);
    s.entry = t - 1;
    s.name = v.name;
    s.estimate = v.pointEstimate;
    s.mean = v.bootMean;
    s.variance = v.bootVariance;
    s.sd = v.bootSD;
    s.sampleSize = v.sampleSize;
    s.bootstrapNumber = v.bootstrapNumber;
    return *this;
}

ResultBuilder& ResultBuilder::pair(const PairValues& v) {
    PairOutcome& pair = at(v.i, v.j);
    pair.result = {.significant = v.sigCount, .insignificant = v.insigCount, .mean = v.diffMean,
                   .variance = v.diffVariance, .sd = v.diffSD, .tLower = v.tLower, .tUpper = v.tUpper,
                   .percentileLower = v.percentileLower, .percentileUpper = v.percentileUpper,
                   .pValue = v.pValue};
    pair.meanDifference = treatmentAt(v.i).mean - treatmentAt(v.j).mean;
    return *this;
}

CartesianResult ResultBuilder::build() const {
    CartesianResult result;
    for (int t = 1; t <= count_; ++t) result.treatments.push_back(treatments_[static_cast<std::size_t>(t)]);
    std::vector<bool> significant;
    for (int i = 1; i < count_; ++i) {
        for (int j = i + 1; j <= count_; ++j) {
            PairOutcome pair = pairs_[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
            pair.first = i - 1;
            pair.second = j - 1;
            pair.direction = directionOf(treatments_[static_cast<std::size_t>(i)].mean,
                                         treatments_[static_cast<std::size_t>(j)].mean);
            result.pairs.push_back(pair);
            significant.push_back(isSignificant(pair.result.pValue));
        }
    }
    result.anova = anova;
    result.sidakAlpha = sidakAlpha;
    result.parameterCode = parameterCode;
    result.letters = letterTreatments(count_, significant);
    return result;
}

void setRunTexts(AnalysisState& s) {
    s.EditionLabel = "KORVAL-MSChart-CartesianPT only";
    s.VersionText = "Ver. 04/01/2023";
    s.OutputPrefix = "25A-Cartesian diff";
    s.CartesianRun = true;
}

ResultBuilder threeTreatments() {
    ResultBuilder b(3);
    b.sidakAlpha = 0.016952;
    b.parameterCode = "r";
    b.anova.f = 12.5;
    b.anova.dfBetween = 2;
    b.anova.dfWithin = 132;
    b.treatment(1, {.name = "Corn", .pointEstimate = 0.8125, .bootMean = 0.8, .bootVariance = 0.0004, .bootSD = 0.02,
                    .sampleSize = 50, .bootstrapNumber = 1000});
    b.treatment(2, {.name = "Rice", .pointEstimate = 0.5, .bootMean = 0.5, .bootVariance = 0.000225, .bootSD = 0.015,
                    .sampleSize = 40, .bootstrapNumber = 1000});
    b.treatment(3, {.name = "Soybean", .pointEstimate = 0.375, .bootMean = 0.45, .bootVariance = 0.0009,
                    .bootSD = 0.03, .sampleSize = 45, .bootstrapNumber = 1000});
    b.pair({.i = 1, .j = 2, .diffMean = 0.3, .diffVariance = 0.000625, .diffSD = 0.025, .tLower = 0.251,
            .tUpper = 0.349, .percentileLower = 0.252, .percentileUpper = 0.35, .insigCount = 0,
            .sigCount = 1000000, .pValue = 0});
    b.pair({.i = 1, .j = 3, .diffMean = 0.35, .diffVariance = 0.0016, .diffSD = 0.04, .tLower = -0.01, .tUpper = 0.71,
            .percentileLower = 0.02, .percentileUpper = 0.69, .insigCount = 30000, .sigCount = 970000,
            .pValue = 0.03});
    b.pair({.i = 2, .j = 3, .diffMean = 0.05, .diffVariance = 0.0004, .diffSD = 0.02, .tLower = 0.004,
            .tUpper = 0.096, .percentileLower = -0.002, .percentileUpper = 0.1, .insigCount = 50000,
            .sigCount = 950000, .pValue = 0.05});
    return b;
}

ResultBuilder fourTreatments() {
    ResultBuilder b(4);
    b.sidakAlpha = 0.0085;
    b.parameterCode = "R0";
    b.anova.dfBetween = 3;
    b.anova.dfWithin = 111;
    b.treatment(1, {.name = "Cabbage", .pointEstimate = 1.25, .bootMean = 1.25, .bootVariance = 0.01, .bootSD = 0.1,
                    .sampleSize = 30, .bootstrapNumber = 3000});
    b.treatment(2, {.name = "Brassica oleracea var. capitata cv. Golden Acre", .pointEstimate = 1, .bootMean = 1,
                    .bootVariance = 0.0025, .bootSD = 0.05, .sampleSize = 32, .bootstrapNumber = 3000});
    b.treatment(3, {.name = "Kale", .pointEstimate = 1.125, .bootMean = 1, .bootVariance = 0.0016, .bootSD = 0.04,
                    .sampleSize = 28, .bootstrapNumber = 3000});
    b.treatment(4, {.name = "Radish", .pointEstimate = 0.5, .bootMean = 0.5, .bootVariance = 0.04, .bootSD = 0.2,
                    .sampleSize = 25, .bootstrapNumber = 3000});
    b.pair({.i = 1, .j = 2, .diffMean = 0.25, .diffVariance = 0.0125, .diffSD = 0.125, .tLower = 0, .tUpper = 0.5,
            .percentileLower = 0.0625, .percentileUpper = 0.4375, .insigCount = 450000, .sigCount = 8550000,
            .pValue = 0.05});
    b.pair({.i = 1, .j = 3, .diffMean = 0.25, .diffVariance = 0.0116, .diffSD = 0.1, .tLower = 0.05, .tUpper = 0.45,
            .percentileLower = 0.06, .percentileUpper = 0.44, .insigCount = 0, .sigCount = 9000000, .pValue = 0});
    b.pair({.i = 1, .j = 4, .diffMean = 0.75, .diffVariance = 0.05, .diffSD = 0.4, .tLower = -0.05, .tUpper = 1.55,
            .percentileLower = -0.04, .percentileUpper = 1.5, .insigCount = 1800000, .sigCount = 7200000,
            .pValue = 0.2});
    b.pair({.i = 2, .j = 3, .diffMean = 0, .diffVariance = 0.0041, .diffSD = 0.064, .tLower = -0.125, .tUpper = 0.125,
            .percentileLower = -0.12, .percentileUpper = 0.12, .insigCount = 9000000, .sigCount = 0, .pValue = 1});
    b.pair({.i = 2, .j = 4, .diffMean = 0.5, .diffVariance = 0.0425, .diffSD = 0.2, .tLower = 0.1, .tUpper = 0.9,
            .percentileLower = 0.12, .percentileUpper = 0.88, .insigCount = 900, .sigCount = 8999100,
            .pValue = 0.0001});
    b.pair({.i = 3, .j = 4, .diffMean = 0.5, .diffVariance = 0.0416, .diffSD = 0.24, .tLower = 0.02, .tUpper = 0.98,
            .percentileLower = 0, .percentileUpper = 0.97, .insigCount = 540000, .sigCount = 8460000,
            .pValue = 0.06});
    return b;
}

void setThreeTreatmentTexts(AnalysisState& s) {
    setRunTexts(s);
    s.TreatmentCount = 3;
    s.LastTreatmentCode = "r";
}

void setFourTreatmentTexts(AnalysisState& s) {
    setRunTexts(s);
    s.TreatmentCount = 4;
    s.LastTreatmentCode = "R0";
    s.ProjectName = "Host plants";
}

}  // namespace cpt::testing
