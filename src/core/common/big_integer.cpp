#include "core/common/big_integer.h"

#include <bit>
#include <cassert>
#include <cmath>
#include <limits>
#include <utility>

namespace cpt {
namespace {

using Digits = std::vector<std::uint32_t>;

int bitLengthOf(const Digits& digits) {
    if (digits.empty()) return 0;
    return static_cast<int>(32 * (digits.size() - 1)) + std::bit_width(digits.back());
}

Digits shiftLeft(const Digits& digits, int bits) {
    if (digits.empty()) return digits;
    const std::size_t whole = static_cast<std::size_t>(bits / 32);
    const int part = bits % 32;
    Digits result(whole, 0);
    result.reserve(whole + digits.size() + 1);
    std::uint32_t carry = 0;
    for (std::uint32_t d : digits) {
        result.push_back(part == 0 ? d : (d << part) | carry);
        carry = part == 0 ? 0 : d >> (32 - part);
    }
    if (carry != 0) result.push_back(carry);
    return result;
}

void shiftRightOne(Digits& digits) {
    for (std::size_t k = 0; k < digits.size(); ++k) {
        const std::uint32_t next = k + 1 < digits.size() ? digits[k + 1] : 0;
        digits[k] = (digits[k] >> 1) | (next << 31);
    }
    while (!digits.empty() && digits.back() == 0) digits.pop_back();
}

}  // namespace

BigInteger::BigInteger(std::int64_t value) {
    negative_ = value < 0;
    std::uint64_t magnitude = negative_ ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    digits_ = {static_cast<std::uint32_t>(magnitude), static_cast<std::uint32_t>(magnitude >> 32)};
    trim();
}

BigInteger BigInteger::fromDigits(std::vector<std::uint32_t> digits, bool negative) {
    BigInteger result;
    result.digits_ = std::move(digits);
    result.negative_ = negative;
    result.trim();
    return result;
}

void BigInteger::trim() {
    while (!digits_.empty() && digits_.back() == 0) digits_.pop_back();
    if (digits_.empty()) negative_ = false;
}

int BigInteger::bitLength() const { return bitLengthOf(digits_); }

int BigInteger::compareMagnitudes(const Digits& a, const Digits& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t k = a.size(); k-- > 0;) {
        if (a[k] != b[k]) return a[k] < b[k] ? -1 : 1;
    }
    return 0;
}

Digits BigInteger::addMagnitudes(const Digits& a, const Digits& b) {
    const Digits& longer = a.size() >= b.size() ? a : b;
    const Digits& shorter = a.size() >= b.size() ? b : a;
    Digits result;
    result.reserve(longer.size() + 1);
    std::uint64_t carry = 0;
    for (std::size_t k = 0; k < longer.size(); ++k) {
        carry += longer[k];
        if (k < shorter.size()) carry += shorter[k];
        result.push_back(static_cast<std::uint32_t>(carry));
        carry >>= 32;
    }
    if (carry != 0) result.push_back(static_cast<std::uint32_t>(carry));
    return result;
}

Digits BigInteger::subtractMagnitudes(const Digits& a, const Digits& b) {
    Digits result;
    result.reserve(a.size());
    std::int64_t borrow = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        std::int64_t d = static_cast<std::int64_t>(a[k]) - borrow - (k < b.size() ? b[k] : 0);
        borrow = d < 0 ? 1 : 0;
        result.push_back(static_cast<std::uint32_t>(d + (borrow << 32)));
    }
    assert(borrow == 0);
    while (!result.empty() && result.back() == 0) result.pop_back();
    return result;
}

BigInteger BigInteger::operator-() const {
    BigInteger result = *this;
    if (!result.isZero()) result.negative_ = !negative_;
    return result;
}

BigInteger operator+(const BigInteger& a, const BigInteger& b) {
    if (a.negative_ == b.negative_) return BigInteger::fromDigits(BigInteger::addMagnitudes(a.digits_, b.digits_), a.negative_);
    const int order = BigInteger::compareMagnitudes(a.digits_, b.digits_);
    if (order == 0) return {};
    return order > 0 ? BigInteger::fromDigits(BigInteger::subtractMagnitudes(a.digits_, b.digits_), a.negative_)
                     : BigInteger::fromDigits(BigInteger::subtractMagnitudes(b.digits_, a.digits_), b.negative_);
}

BigInteger operator-(const BigInteger& a, const BigInteger& b) { return a + (-b); }

BigInteger operator*(const BigInteger& a, const BigInteger& b) {
    if (a.isZero() || b.isZero()) return {};
    Digits result(a.digits_.size() + b.digits_.size(), 0);
    for (std::size_t i = 0; i < a.digits_.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.digits_.size(); ++j) {
            carry += static_cast<std::uint64_t>(a.digits_[i]) * b.digits_[j] + result[i + j];
            result[i + j] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        for (std::size_t k = i + b.digits_.size(); carry != 0; ++k) {
            carry += result[k];
            result[k] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
    }
    return BigInteger::fromDigits(std::move(result), a.negative_ != b.negative_);
}

double nearestDouble(const BigInteger& numerator, const BigInteger& denominator, int exponent) {
    assert(!denominator.isZero() && !denominator.isNegative());
    if (numerator.isZero()) return 0.0;
    // A quotient of 57 to 59 bits, and whether anything was left over: enough
    // for a guard bit and a sticky bit below the 53 kept ones, also when the
    // result is subnormal and keeps fewer.
    constexpr int QuotientBits = 58;
    const int shift = QuotientBits - (numerator.bitLength() - denominator.bitLength());
    Digits remainder = shift >= 0 ? shiftLeft(numerator.digits_, shift) : numerator.digits_;
    Digits divisor = shiftLeft(denominator.digits_, (shift >= 0 ? 0 : -shift) + QuotientBits);
    std::uint64_t quotient = 0;
    for (int bit = QuotientBits; bit >= 0; --bit) {
        if (BigInteger::compareMagnitudes(remainder, divisor) >= 0) {
            remainder = BigInteger::subtractMagnitudes(remainder, divisor);
            quotient |= std::uint64_t{1} << bit;
        }
        shiftRightOne(divisor);
    }
    const bool inexact = !remainder.empty();
    const int lowestExponent = exponent - shift;  // weight of the quotient's last bit
    const int topExponent = std::bit_width(quotient) - 1 + lowestExponent;
    const double sign = numerator.isNegative() ? -1.0 : 1.0;
    if (topExponent > std::numeric_limits<double>::max_exponent - 1) return sign * std::numeric_limits<double>::infinity();
    // Weight of the result's last kept bit: 53 bits, or the subnormal step.
    const int keptExponent = std::max(topExponent - 52, std::numeric_limits<double>::min_exponent - 53);
    const int dropped = keptExponent - lowestExponent;  // at least 4 (see QuotientBits)
    if (dropped >= 64) return sign * 0.0;
    std::uint64_t kept = quotient >> dropped;
    const bool half = ((quotient >> (dropped - 1)) & 1) != 0;
    const bool beyondHalf = (quotient & ((std::uint64_t{1} << (dropped - 1)) - 1)) != 0 || inexact;
    if (half && (beyondHalf || (kept & 1) != 0)) ++kept;
    return sign * std::ldexp(static_cast<double>(kept), keptExponent);
}

}  // namespace cpt
