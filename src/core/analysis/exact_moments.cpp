#include "core/analysis/exact_moments.h"

#include <limits>

namespace cpt {

DifferenceMoments exactDifferenceMoments(const ExactSum& minuends, const ExactSum& subtrahends) {
    const BigInteger bi(minuends.count());
    const BigInteger bj(subtrahends.count());
    const BigInteger n = bi * bj;
    const BigInteger sumX = minuends.sum();
    const BigInteger sumY = subtrahends.sum();
    // In units of 2^ValueExponent, and of its square.
    const BigInteger sumD = bj * sumX - bi * sumY;
    const BigInteger sumDSquared = bj * minuends.sumOfSquares() - BigInteger(2) * sumX * sumY + bi * subtrahends.sumOfSquares();
    static_assert(ExactSum::SquareExponent == 2 * ExactSum::ValueExponent);

    DifferenceMoments moments;
    moments.mean = nearestDouble(sumD, n, ExactSum::ValueExponent);
    // (n sum D^2 - (sum D)^2) / (n (n - 1)): the squared deviations, exactly.
    const BigInteger nMinusOne = n - BigInteger(1);
    moments.variance = nMinusOne.isZero()
                           ? std::numeric_limits<double>::quiet_NaN()
                           : nearestDouble(n * sumDSquared - sumD * sumD, n * nMinusOne, ExactSum::SquareExponent);
    return moments;
}

}  // namespace cpt
