#pragma once
// Exact arithmetic for the tests, written apart from the program's own: whole
// numbers in decimal digits (base 10^9), and dyadic numbers n * 2^e, enough to
// hold every double, every sum and product of doubles, and to tell which
// double lies nearest to a quotient; and with them the mean and variance of
// every difference of two samples, formed one by one.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <span>
#include <vector>

namespace cpt::testing {

class LongInteger {
public:
    LongInteger() = default;
    LongInteger(std::int64_t value) : negative_(value < 0) {  // NOLINT
        std::uint64_t m = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        while (m != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(m % Base));
            m /= Base;
        }
    }

    bool isZero() const { return limbs_.empty(); }
    bool isNegative() const { return negative_; }
    LongInteger abs() const {
        LongInteger r = *this;
        r.negative_ = false;
        return r;
    }
    LongInteger operator-() const {
        LongInteger r = *this;
        if (!r.isZero()) r.negative_ = !r.negative_;
        return r;
    }
    friend LongInteger operator+(const LongInteger& a, const LongInteger& b) {
        if (a.negative_ == b.negative_) return make(addAbs(a.limbs_, b.limbs_), a.negative_);
        int order = compareAbs(a.limbs_, b.limbs_);
        if (order == 0) return {};
        return order > 0 ? make(subAbs(a.limbs_, b.limbs_), a.negative_) : make(subAbs(b.limbs_, a.limbs_), b.negative_);
    }
    friend LongInteger operator-(const LongInteger& a, const LongInteger& b) { return a + (-b); }
    friend LongInteger operator*(const LongInteger& a, const LongInteger& b) {
        std::vector<std::uint64_t> wide(a.limbs_.size() + b.limbs_.size() + 1, 0);
        for (std::size_t i = 0; i < a.limbs_.size(); ++i) {
            for (std::size_t j = 0; j < b.limbs_.size(); ++j) {
                wide[i + j] += static_cast<std::uint64_t>(a.limbs_[i]) * b.limbs_[j];
                wide[i + j + 1] += wide[i + j] / Base;
                wide[i + j] %= Base;
            }
        }
        std::vector<std::uint32_t> limbs;
        std::uint64_t carry = 0;
        for (std::uint64_t w : wide) {
            carry += w;
            limbs.push_back(static_cast<std::uint32_t>(carry % Base));
            carry /= Base;
        }
        return make(limbs, a.negative_ != b.negative_);
    }
    friend bool operator<(const LongInteger& a, const LongInteger& b) {
        if (a.negative_ != b.negative_) return a.negative_;
        int order = compareAbs(a.limbs_, b.limbs_);
        return a.negative_ ? order > 0 : order < 0;
    }
    friend bool operator==(const LongInteger& a, const LongInteger& b) = default;

    static LongInteger powerOfTwo(int k) {
        LongInteger r(1);
        for (; k >= 29; k -= 29) r = r * LongInteger(std::int64_t{1} << 29);
        return r * LongInteger(std::int64_t{1} << k);
    }

private:
    static constexpr std::uint32_t Base = 1'000'000'000;
    std::vector<std::uint32_t> limbs_;  // least significant first, no leading zeros
    bool negative_ = false;

    static LongInteger make(std::vector<std::uint32_t> limbs, bool negative) {
        while (!limbs.empty() && limbs.back() == 0) limbs.pop_back();
        LongInteger r;
        r.limbs_ = std::move(limbs);
        r.negative_ = negative && !r.limbs_.empty();
        return r;
    }
    static int compareAbs(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
        if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
        for (std::size_t k = a.size(); k-- > 0;) {
            if (a[k] != b[k]) return a[k] < b[k] ? -1 : 1;
        }
        return 0;
    }
    static std::vector<std::uint32_t> addAbs(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
        std::vector<std::uint32_t> r;
        std::uint32_t carry = 0;
        for (std::size_t k = 0; k < std::max(a.size(), b.size()); ++k) {
            std::uint32_t s = carry + (k < a.size() ? a[k] : 0) + (k < b.size() ? b[k] : 0);
            carry = s >= Base;
            r.push_back(s - (carry ? Base : 0));
        }
        if (carry) r.push_back(1);
        return r;
    }
    static std::vector<std::uint32_t> subAbs(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
        std::vector<std::uint32_t> r;
        std::int64_t borrow = 0;
        for (std::size_t k = 0; k < a.size(); ++k) {
            std::int64_t d = std::int64_t{a[k]} - borrow - (k < b.size() ? b[k] : 0);
            borrow = d < 0;
            r.push_back(static_cast<std::uint32_t>(d + (borrow ? Base : 0)));
        }
        return r;
    }
};

// n * 2^exponent.
struct Dyadic {
    LongInteger n;
    int exponent = 0;

    static Dyadic of(double x) {
        int e = 0;
        double f = std::frexp(x, &e);
        return {LongInteger(static_cast<std::int64_t>(std::ldexp(f, 53))), e - 53};
    }
    friend Dyadic operator+(const Dyadic& a, const Dyadic& b) {
        int e = std::min(a.exponent, b.exponent);
        return {a.n * LongInteger::powerOfTwo(a.exponent - e) + b.n * LongInteger::powerOfTwo(b.exponent - e), e};
    }
    friend Dyadic operator-(const Dyadic& a, const Dyadic& b) { return a + Dyadic{-b.n, b.exponent}; }
    friend Dyadic operator*(const Dyadic& a, const Dyadic& b) { return {a.n * b.n, a.exponent + b.exponent}; }
    friend bool operator<(const Dyadic& a, const Dyadic& b) { return (a - b).n.isNegative(); }
    Dyadic abs() const { return {n.abs(), exponent}; }
};

// Whether `candidate` is the double nearest to numerator / denominator
// (denominator > 0), halves going to the even neighbour.
inline bool isNearestDouble(double candidate, const Dyadic& numerator, std::int64_t denominator) {
    const Dyadic q{LongInteger(denominator), 0};
    auto distance = [&](double x) { return (numerator - Dyadic::of(x) * q).abs(); };
    const Dyadic own = distance(candidate);
    for (double neighbour : {std::nextafter(candidate, -INFINITY), std::nextafter(candidate, INFINITY)}) {
        const Dyadic other = distance(neighbour);
        if (other < own) return false;
        if (!(own < other)) {  // a tie: the even mantissa wins
            if ((std::bit_cast<std::uint64_t>(candidate) & 1) != 0) return false;
        }
    }
    return true;
}

// The exact mean and variance of the differences of every value of one
// sample with every value of the other.
struct ExactMoments {
    Dyadic meanNumerator;      // over n
    Dyadic varianceNumerator;  // over n (n - 1)
    std::int64_t n;
};

inline ExactMoments bruteForceMoments(std::span<const double> first, std::span<const double> second,
                                      bool firstMinusSecond = true) {
    Dyadic sum{0, 0};
    Dyadic sumSquares{0, 0};
    for (double x : first) {
        for (double y : second) {
            const Dyadic d = firstMinusSecond ? Dyadic::of(x) - Dyadic::of(y) : Dyadic::of(y) - Dyadic::of(x);
            sum = sum + d;
            sumSquares = sumSquares + d * d;
        }
    }
    const auto n = static_cast<std::int64_t>(first.size() * second.size());
    return {sum, Dyadic{LongInteger(n), 0} * sumSquares - sum * sum, n};
}

// Expects `mean` and `variance` to be the doubles nearest to the exact mean
// and variance of every difference.
inline void expectExactOverEveryDifference(double mean, double variance, std::span<const double> first,
                                           std::span<const double> second, bool firstMinusSecond = true) {
    const ExactMoments exact = bruteForceMoments(first, second, firstMinusSecond);
    EXPECT_TRUE(isNearestDouble(mean, exact.meanNumerator, exact.n)) << std::setprecision(17) << mean;
    EXPECT_TRUE(isNearestDouble(variance, exact.varianceNumerator, exact.n * (exact.n - 1)))
        << std::setprecision(17) << variance;
}

}  // namespace cpt::testing
