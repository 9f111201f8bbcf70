#pragma once
// What one Cartesian paired test gives: the treatments in mean order with
// their statistics, every pair's result, the analysis of variance, the Sidak
// alpha and the letters. An immutable value; every writer (report, grid,
// JSON, figures, study table) takes it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/tables/group_letters.h"

namespace cpt {

// Which way a pair's differences go and how far apart the bootstrap means are.
struct PairDirection {
    bool firstMinusSecond = true;
    double observedDiff = 0;
};

// Differences are always larger-mean minus smaller-mean treatment, with equal
// means second minus first.
PairDirection directionOf(double firstMean, double secondMean);

// Everything one pair gives.
struct PairResult {
    std::int64_t significant = 0;
    std::int64_t below = 0;  // not significant: at most 0
    std::int64_t above = 0;  // not significant: at least twice the observed difference
    std::int64_t insignificant = 0;
    double mean = 0;
    double variance = 0;
    double sd = 0;
    double tLower = 0;
    double tUpper = 0;
    double percentileLower = 0;
    double percentileUpper = 0;
    double pValue = 0;
    friend bool operator==(const PairResult&, const PairResult&) = default;
};

struct TreatmentStatistics {
    int entry = 0;  // 0-based place in the order the treatments were given
    std::string name;
    std::string code;
    std::string source;
    std::int32_t sampleSize = 0;
    std::int32_t bootstrapNumber = 0;  // B
    double estimate = 0;
    double orderingMean = 0;
    double mean = 0;
    double variance = 0;  // by squared deviations from the mean
    double sd = 0;
    double sum = 0;       // of the values, in their order
    double sumSquares = 0;
    double varianceBySums = 0;
    friend bool operator==(const TreatmentStatistics&, const TreatmentStatistics&) = default;
};

struct PairOutcome {
    int first = 0;  // 0-based places in mean order, first < second
    int second = 0;
    PairDirection direction;
    PairResult result;
    bool fromSums = false;  // beyond the listed capacity: moments from exact sums
    // |mean(first) - mean(second)|, the triangle tables' and the grid's difference.
    double meanDifference = 0;
};

struct AnalysisOfVariance {
    double grandMean = 0;
    double ssBetween = 0;
    double ssWithin = 0;
    double dfBetween = 0;
    double dfWithin = 0;
    double totalSampleSize = 0;
    std::optional<double> f;  // none when the within-groups mean square is 0
};

struct CartesianResult {
    std::vector<TreatmentStatistics> treatments;  // mean order (reversed: ascending)
    std::vector<PairOutcome> pairs;               // (0,1), (0,2), ..., (n-2,n-1)
    AnalysisOfVariance anova;
    double sidakAlpha = 0;
    bool reversed = false;
    // Some pair had more differences than are listed.
    bool momentsFromSums = false;
    // Labels (" ab") in mean order, or none when the groups outnumber the letters.
    GroupLettering letters;
    // The code of the treatment given last, as the report's "Parameter:".
    std::string parameterCode;

    int treatmentCount() const { return static_cast<int>(treatments.size()); }
    // i < j, 0-based.
    const PairOutcome& pair(int i, int j) const;
};

// The index of pair (i, j), i < j, in CartesianResult::pairs for n treatments.
int pairIndex(int i, int j, int treatmentCount);

}  // namespace cpt
