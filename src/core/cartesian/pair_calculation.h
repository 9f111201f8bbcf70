#pragma once
// One pair of treatments worked out from its two samples alone: counts, sums,
// intervals and P value, with nothing of the window or the pair tables.
#include <cstdint>
#include <span>

#include "core/cartesian/pair_statistics.h"

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

// The result of a pair whose counts and moments are known, the ranking set
// on its differences (bi and bj the two samples' sizes): the rest follows
// the same way for a listed pair and a large one.
PairResult pairResultOf(const DifferenceCounts& counts, double mean, double variance, DifferenceRanking& ranking,
                        double bi, double bj);

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
