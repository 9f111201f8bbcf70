#pragma once
// One pair of treatments worked out from its two samples alone: counts, sums,
// intervals and P value, with nothing of the window or the pair tables.
#include <cstdint>
#include <span>

namespace cpt {

struct AnalysisState;
class DifferenceFiles;

// Which way the differences go and how far apart the bootstrap means are.
struct PairDirection {
    bool firstMinusSecond = true;
    double observedDiff = 0;
};

// Differences are always larger-mean minus smaller-mean treatment, with equal
// means second minus first.
PairDirection directionOf(double firstMean, double secondMean);

// Every pair-table member one pair gives.
struct PairResult {
    std::int32_t significant = 0;
    std::int32_t below = 0;  // not significant: at most 0
    std::int32_t above = 0;  // not significant: at least twice the observed difference
    std::int32_t insignificant = 0;
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

// The Cartesian differences of the two samples (each at least 2 values, at
// most ValueCapacity differences together), judged, counted, summed in
// Cartesian order and ranked. With files, every difference is also written to
// them in that order.
PairResult calculatePair(std::span<const double> first, std::span<const double> second, PairDirection direction,
                         DifferenceFiles* files = nullptr);

// Stores the result of pair (i, j), i < j, in the pair tables; the P value
// also at (j, i), the only member that is mirrored.
void storePairResult(AnalysisState& state, int i, int j, const PairResult& result);

}  // namespace cpt
