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
    s.PValueWork[v.i][v.j] = s.PValueWork[v.j][v.i] = v.pValue;
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
    setTreatment(s, 1, {"Corn", 0.8125, 0.8, 0.0004, 0.02, 50, 1000});
    setTreatment(s, 2, {"Rice", 0.5, 0.5, 0.000225, 0.015, 40, 1000});
    setTreatment(s, 3, {"Soybean", 0.375, 0.45, 0.0009, 0.03, 45, 1000});
    setPair(s, {1, 2, 0.3, 0.000625, 0.025, 0.251, 0.349, 0.252, 0.35, 0, 1000000, 0});
    setPair(s, {1, 3, 0.35, 0.0016, 0.04, -0.01, 0.71, 0.02, 0.69, 30000, 970000, 0.03});
    setPair(s, {2, 3, 0.05, 0.0004, 0.02, 0.004, 0.096, -0.002, 0.1, 50000, 950000, 0.05});
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
    setTreatment(s, 1, {"Cabbage", 1.25, 1.25, 0.01, 0.1, 30, 3000});
    setTreatment(s, 2, {"Brassica oleracea var. capitata cv. Golden Acre", 1, 1, 0.0025, 0.05, 32, 3000});
    setTreatment(s, 3, {"Kale", 1.125, 1, 0.0016, 0.04, 28, 3000});
    setTreatment(s, 4, {"Radish", 0.5, 0.5, 0.04, 0.2, 25, 3000});
    setPair(s, {1, 2, 0.25, 0.0125, 0.125, 0, 0.5, 0.0625, 0.4375, 450000, 8550000, 0.05});
    setPair(s, {1, 3, 0.25, 0.0116, 0.1, 0.05, 0.45, 0.06, 0.44, 0, 9000000, 0});
    setPair(s, {1, 4, 0.75, 0.05, 0.4, -0.05, 1.55, -0.04, 1.5, 1800000, 7200000, 0.2});
    setPair(s, {2, 3, 0, 0.0041, 0.064, -0.125, 0.125, -0.12, 0.12, 9000000, 0, 1});
    setPair(s, {2, 4, 0.5, 0.0425, 0.2, 0.1, 0.9, 0.12, 0.88, 900, 8999100, 0.0001});
    setPair(s, {3, 4, 0.5, 0.0416, 0.24, 0.02, 0.98, 0, 0.97, 540000, 8460000, 0.06});
}

}  // namespace cpt::testing
