#pragma once
// The mean and variance of all B_i x B_j real differences x - y of two
// samples, from the samples' exact sums in O(B) and without a loop over the
// differences:
//   sum (x - y)   = B_j sum x - B_i sum y
//   sum (x - y)^2 = B_j sum x^2 - 2 sum x sum y + B_i sum y^2
// combined in whole numbers and rounded once, so each is the double nearest
// to the true value.
#include "core/common/exact_sum.h"

namespace cpt {

struct DifferenceMoments {
    double mean = 0;
    double variance = 0;  // denominator B_i x B_j - 1; NaN for a single difference
};

// Moments of minuend - subtrahend over every pair of their values.
DifferenceMoments exactDifferenceMoments(const ExactSum& minuends, const ExactSum& subtrahends);

}  // namespace cpt
