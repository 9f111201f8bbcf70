#pragma once
// Sums of doubles and of their squares without any rounding: every double is
// a whole multiple of 2^-1074 (its square of 2^-2148), so the sums are kept as
// whole numbers of those units in fixed-point digits (a superaccumulator),
// with the carries put off until the sum is read.
#include <cstdint>
#include <span>
#include <vector>

#include "core/common/big_integer.h"

namespace cpt {

class ExactSum {
public:
    // Units of the two sums: Sum() * 2^ValueExponent and SumOfSquares() * 2^SquareExponent.
    static constexpr int ValueExponent = -1074;
    static constexpr int SquareExponent = -2148;

    ExactSum();
    // x must be finite.
    void add(double x);
    std::int64_t count() const { return count_; }
    // The exact sum of the values, in units of 2^ValueExponent.
    BigInteger sum() const;
    // The exact sum of their squares, in units of 2^SquareExponent.
    BigInteger sumOfSquares() const;

private:
    // One fixed-point number: 32-bit digits held in 64 bits, so that up to
    // 2^31 additions fit before the carries must be moved on.
    class Digits {
    public:
        explicit Digits(int bits);
        // Adds magnitude * 2^shift, magnitude below 2^128.
        void add(unsigned __int128 magnitude, int shift);
        BigInteger value() const;

    private:
        std::vector<std::uint64_t> digits_;
        std::uint32_t pendingAdditions_ = 0;
        void carry();
    };

    Digits positive_;
    Digits negative_;
    Digits squares_;
    std::int64_t count_ = 0;
};

// The sums of values, each finite.
ExactSum exactSumOf(std::span<const double> values);

}  // namespace cpt
