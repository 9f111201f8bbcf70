#pragma once
// A pair worked out the long way: every difference stored, judged and summed
// in Cartesian order, then all of them sorted with std::sort. The reference
// that the engine's tests and benchmark compare against.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <ostream>
#include <span>
#include <vector>

#include "core/analysis/pair_calculation.h"
#include "core/common/rounding.h"

namespace cpt {

// differences is a work area, handed in so that a benchmark allocates once.
inline PairResult literalPairResult(std::span<const double> first, std::span<const double> second,
                                    PairDirection direction, std::vector<double>& differences) {
    const double bi = static_cast<double>(first.size());
    const double bj = static_cast<double>(second.size());
    differences.clear();
    PairResult r;
    double sum = 0;
    double sumSquares = 0;
    for (const double x : first) {
        for (const double y : second) {
            const double d = direction.firstMinusSecond ? x - y : y - x;
            differences.push_back(d);
            if (d <= 0) {
                ++r.below;
            } else if (d >= 2 * direction.observedDiff) {
                ++r.above;
            } else {
                ++r.significant;
            }
            sum += d;
            sumSquares += d * d;
        }
    }
    r.insignificant = r.below + r.above;
    r.pValue = r.insignificant / (bj * bi);
    r.mean = sum / (bi * bj);
    r.variance = (sumSquares - sum * sum / (bi * bj)) / (bj * bi - 1);
    r.sd = std::sqrt(r.variance);
    r.tLower = r.mean - r.sd * 1.959964;
    r.tUpper = r.sd * 1.959964 + r.mean;
    std::sort(differences.begin(), differences.end());
    r.percentileLower = differences[static_cast<std::size_t>(*toInt32(bj * bi * 0.025 + 0.5) - 1)];
    r.percentileUpper = differences[static_cast<std::size_t>(*toInt32(bj * bi * 0.975 + 0.5) - 1)];
    return r;
}

inline PairResult literalPairResult(std::span<const double> first, std::span<const double> second,
                                    PairDirection direction) {
    std::vector<double> differences;
    return literalPairResult(first, second, direction, differences);
}

// For GoogleTest's messages.
inline void PrintTo(const PairResult& r, std::ostream* out) {
    *out << "sig " << r.significant << " below " << r.below << " above " << r.above << " insig " << r.insignificant
         << " mean " << r.mean << " var " << r.variance << " sd " << r.sd << " t " << r.tLower << ".." << r.tUpper
         << " percentiles " << r.percentileLower << ".." << r.percentileUpper << " P " << r.pValue;
}

}  // namespace cpt
