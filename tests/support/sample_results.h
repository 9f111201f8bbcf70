#pragma once
// Results of runs put together by hand, for the report, grid and table tests.
#include <array>
#include <cstdint>
#include <string>

#include "core/analysis/cartesian_result.h"
#include "desktop_model/state/analysis_state.h"

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

// Treatments and pairs numbered from 1 in mean order, as the report numbers
// them; build() gives the result of the first count treatments, with the
// directions from the means and the letters from the P values.
class ResultBuilder {
public:
    explicit ResultBuilder(int count) : count_(count) {}

    ResultBuilder& treatment(int t, const TreatmentValues& v);
    // The mean difference is that of the treatments' means, set before.
    ResultBuilder& pair(const PairValues& v);
    // Pair (i, j), i < j, to set one figure of.
    PairOutcome& at(int i, int j) { return pairs_[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]; }
    TreatmentStatistics& treatmentAt(int t) { return treatments_[static_cast<std::size_t>(t)]; }
    ResultBuilder& count(int n) {
        count_ = n;
        return *this;
    }
    AnalysisOfVariance anova;
    double sidakAlpha = 0;
    std::string parameterCode;

    CartesianResult build() const;

private:
    int count_;
    std::array<TreatmentStatistics, TreatmentCapacity + 1> treatments_{};
    std::array<std::array<PairOutcome, TreatmentCapacity + 1>, TreatmentCapacity + 1> pairs_{};
};

// The texts of the window's run that the report's heading and name take.
void setRunTexts(AnalysisState& s);

// Every pair significant by P; (1,3) and (2,3) disagree between t and
// percentiles, (2,3) has P exactly 0.05 with a non-significant percentile CI.
ResultBuilder threeTreatments();
// Pair (2,3) has equal means; (1,2) has t lower limit 0 and P exactly 0.05
// with a significant percentile CI; (3,4) has percentile lower limit 0;
// treatment 2's name passes every column.
ResultBuilder fourTreatments();

// The window's texts of those runs: run texts, parameter code and project.
void setThreeTreatmentTexts(AnalysisState& s);
void setFourTreatmentTexts(AnalysisState& s);

}  // namespace cpt::testing
