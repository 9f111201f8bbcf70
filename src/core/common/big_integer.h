#pragma once
// Signed integers of any size, for the few exact combinations of exact sums
// (a handful of products of numbers a few thousand bits long). Made for
// correctness, not speed: schoolbook products, bitwise division.
#include <cstdint>
#include <vector>

namespace cpt {

class BigInteger {
public:
    BigInteger() = default;
    BigInteger(std::int64_t value);  // NOLINT: a plain number is a BigInteger
    // magnitude = sum of digits[k] * 2^(32 k), least significant first.
    static BigInteger fromDigits(std::vector<std::uint32_t> digits, bool negative);

    bool isZero() const { return digits_.empty(); }
    bool isNegative() const { return negative_; }
    // Number of bits of the magnitude (0 for zero).
    int bitLength() const;

    BigInteger operator-() const;
    friend BigInteger operator+(const BigInteger& a, const BigInteger& b);
    friend BigInteger operator-(const BigInteger& a, const BigInteger& b);
    friend BigInteger operator*(const BigInteger& a, const BigInteger& b);
    friend bool operator==(const BigInteger& a, const BigInteger& b) = default;

    // The double nearest to numerator / denominator * 2^exponent, halves to
    // even (the rounding of IEEE arithmetic), with subnormal results and
    // overflow to infinity as a correctly rounded division would give them.
    // The denominator must be positive.
    friend double nearestDouble(const BigInteger& numerator, const BigInteger& denominator, int exponent);

private:
    std::vector<std::uint32_t> digits_;  // no leading zero digits; empty for zero
    bool negative_ = false;              // never true for zero

    void trim();
    static int compareMagnitudes(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b);
    static std::vector<std::uint32_t> addMagnitudes(const std::vector<std::uint32_t>& a,
                                                    const std::vector<std::uint32_t>& b);
    // a - b for a >= b.
    static std::vector<std::uint32_t> subtractMagnitudes(const std::vector<std::uint32_t>& a,
                                                         const std::vector<std::uint32_t>& b);
};

}  // namespace cpt
