#pragma once
// Analysis states filled by hand as the engine leaves them, for the report
// and table tests.
#include <string>

#include "core/state/analysis_state.h"

namespace cpt::testing {

struct TreatmentValues {
    std::string name;
    double pointEstimate;
    double bootMean;
    double bootVariance;
    double bootSD;
    std::int32_t sampleSize;
    std::int32_t bootstrapNumber;
};

struct PairValues {
    int i;
    int j;
    double diffMean;
    double diffVariance;
    double diffSD;
    double tLower;
    double tUpper;
    double percentileLower;
    double percentileUpper;
    std::int32_t insigCount;
    std::int32_t sigCount;
    double pValue;
};

inline void setTreatment(AnalysisState& s, int t, const TreatmentValues& v) {
    s.TreatmentName[t] = v.name;
    s.PointEstimate[t] = v.pointEstimate;
    s.BootMean[t] = v.bootMean;
    s.BootVariance[t] = v.bootVariance;
    s.BootSD[t] = v.bootSD;
    s.SampleSize[t] = v.sampleSize;
    s.BootstrapNumber[t] = v.bootstrapNumber;
    s.BootstrapNumberReal[t] = v.bootstrapNumber;
    s.BootCount[t] = v.bootstrapNumber;
}

// The engine mirrors P; the report mirrors the mean difference.
inline void setPair(AnalysisState& s, const PairValues& v) {
    s.DiffMean[v.i][v.j] = v.diffMean;
    s.DiffVariance[v.i][v.j] = v.diffVariance;
    s.DiffSD[v.i][v.j] = v.diffSD;
    s.TLowerLimit[v.i][v.j] = v.tLower;
    s.TUpperLimit[v.i][v.j] = v.tUpper;
    s.PercentileLower[v.i][v.j] = v.percentileLower;
    s.PercentileUpper[v.i][v.j] = v.percentileUpper;
    s.InsigCount[v.i][v.j] = v.insigCount;
    s.SigCount[v.i][v.j] = v.sigCount;
    s.PValue[v.i][v.j] = s.PValue[v.j][v.i] = v.pValue;
    s.BootMeanDiff[v.i][v.j] = s.BootMeanDiff[v.j][v.i] = s.BootMean[v.i] - s.BootMean[v.j];
}

inline void setTreatmentCount(AnalysisState& s, int n) {
    s.TreatmentCount = static_cast<std::int16_t>(n);
    s.PairCount = static_cast<std::int16_t>(n * (n - 1) / 2);
    s.TableRuleDouble = std::string(static_cast<std::size_t>(11 * n + 15), '=');
    s.TableRuleSingle = std::string(static_cast<std::size_t>(11 * n + 15), '-');
}

inline void setRunTexts(AnalysisState& s) {
    s.EditionLabel = "KORVAL-MSChart-CartesianPT only";
    s.VersionText = "Ver. 04/01/2023";
    s.OutputPrefix = "25A-Cartesian diff";
    s.CartesianRun = true;
}

// Every pair significant by P; (1,3) and (2,3) disagree between t and
// percentiles, (2,3) has P exactly 0.05 with a non-significant percentile CI.
inline void fillThreeTreatments(AnalysisState& s) {
    setRunTexts(s);
    setTreatmentCount(s, 3);
    s.SidakAlpha = 0.016952;
    s.LastTreatmentCode = "r";
    s.FValue = 12.5;
    s.FValueDefined = true;
    s.DfBetween = 2;
    s.DfWithin = 132;
    setTreatment(s, 1, {.name = "Corn", .pointEstimate = 0.8125, .bootMean = 0.8, .bootVariance = 0.0004,
                        .bootSD = 0.02, .sampleSize = 50, .bootstrapNumber = 1000});
    setTreatment(s, 2, {.name = "Rice", .pointEstimate = 0.5, .bootMean = 0.5, .bootVariance = 0.000225,
                        .bootSD = 0.015, .sampleSize = 40, .bootstrapNumber = 1000});
    setTreatment(s, 3, {.name = "Soybean", .pointEstimate = 0.375, .bootMean = 0.45, .bootVariance = 0.0009,
                        .bootSD = 0.03, .sampleSize = 45, .bootstrapNumber = 1000});
    setPair(s, {.i = 1, .j = 2, .diffMean = 0.3, .diffVariance = 0.000625, .diffSD = 0.025, .tLower = 0.251,
                .tUpper = 0.349, .percentileLower = 0.252, .percentileUpper = 0.35, .insigCount = 0,
                .sigCount = 1000000, .pValue = 0});
    setPair(s, {.i = 1, .j = 3, .diffMean = 0.35, .diffVariance = 0.0016, .diffSD = 0.04, .tLower = -0.01,
                .tUpper = 0.71, .percentileLower = 0.02, .percentileUpper = 0.69, .insigCount = 30000,
                .sigCount = 970000, .pValue = 0.03});
    setPair(s, {.i = 2, .j = 3, .diffMean = 0.05, .diffVariance = 0.0004, .diffSD = 0.02, .tLower = 0.004,
                .tUpper = 0.096, .percentileLower = -0.002, .percentileUpper = 0.1, .insigCount = 50000,
                .sigCount = 950000, .pValue = 0.05});
}

// Pair (2,3) has equal means; (1,2) has t lower limit 0 and P exactly 0.05
// with a significant percentile CI; (3,4) has percentile lower limit 0;
// treatment 2's name passes every column.
inline void fillFourTreatments(AnalysisState& s) {
    setRunTexts(s);
    setTreatmentCount(s, 4);
    s.SidakAlpha = 0.0085;
    s.LastTreatmentCode = "R0";
    s.ProjectName = "Host plants";
    s.FValueDefined = false;
    s.DfBetween = 3;
    s.DfWithin = 111;
    setTreatment(s, 1, {.name = "Cabbage", .pointEstimate = 1.25, .bootMean = 1.25, .bootVariance = 0.01,
                        .bootSD = 0.1, .sampleSize = 30, .bootstrapNumber = 3000});
    setTreatment(s, 2, {.name = "Brassica oleracea var. capitata cv. Golden Acre", .pointEstimate = 1, .bootMean = 1,
                        .bootVariance = 0.0025, .bootSD = 0.05, .sampleSize = 32, .bootstrapNumber = 3000});
    setTreatment(s, 3, {.name = "Kale", .pointEstimate = 1.125, .bootMean = 1, .bootVariance = 0.0016, .bootSD = 0.04,
                        .sampleSize = 28, .bootstrapNumber = 3000});
    setTreatment(s, 4, {.name = "Radish", .pointEstimate = 0.5, .bootMean = 0.5, .bootVariance = 0.04, .bootSD = 0.2,
                        .sampleSize = 25, .bootstrapNumber = 3000});
    setPair(s, {.i = 1, .j = 2, .diffMean = 0.25, .diffVariance = 0.0125, .diffSD = 0.125, .tLower = 0, .tUpper = 0.5,
                .percentileLower = 0.0625, .percentileUpper = 0.4375, .insigCount = 450000, .sigCount = 8550000,
                .pValue = 0.05});
    setPair(s, {.i = 1, .j = 3, .diffMean = 0.25, .diffVariance = 0.0116, .diffSD = 0.1, .tLower = 0.05,
                .tUpper = 0.45, .percentileLower = 0.06, .percentileUpper = 0.44, .insigCount = 0,
                .sigCount = 9000000, .pValue = 0});
    setPair(s, {.i = 1, .j = 4, .diffMean = 0.75, .diffVariance = 0.05, .diffSD = 0.4, .tLower = -0.05,
                .tUpper = 1.55, .percentileLower = -0.04, .percentileUpper = 1.5, .insigCount = 1800000,
                .sigCount = 7200000, .pValue = 0.2});
    setPair(s, {.i = 2, .j = 3, .diffMean = 0, .diffVariance = 0.0041, .diffSD = 0.064, .tLower = -0.125,
                .tUpper = 0.125, .percentileLower = -0.12, .percentileUpper = 0.12, .insigCount = 9000000,
                .sigCount = 0, .pValue = 1});
    setPair(s, {.i = 2, .j = 4, .diffMean = 0.5, .diffVariance = 0.0425, .diffSD = 0.2, .tLower = 0.1, .tUpper = 0.9,
                .percentileLower = 0.12, .percentileUpper = 0.88, .insigCount = 900, .sigCount = 8999100,
                .pValue = 0.0001});
    setPair(s, {.i = 3, .j = 4, .diffMean = 0.5, .diffVariance = 0.0416, .diffSD = 0.24, .tLower = 0.02,
                .tUpper = 0.98, .percentileLower = 0, .percentileUpper = 0.97, .insigCount = 540000,
                .sigCount = 8460000, .pValue = 0.06});
}

}  // namespace cpt::testing
