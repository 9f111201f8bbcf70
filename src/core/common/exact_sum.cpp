#include "core/common/exact_sum.h"

#include <cassert>
#include <cmath>

#include "core/common/double_bits.h"

namespace cpt {
namespace {

// A finite double as mantissa * 2^(exponent + 1074): exponent field minus one,
// or 0 for the subnormals.
struct Decomposed {
    std::uint64_t mantissa;
    int shift;
    bool negative;
};

Decomposed decompose(double x) {
    const std::uint64_t bits = bitsOf(x);
    const int field = static_cast<int>((bits >> 52) & 0x7ff);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (field == 0) return {fraction, 0, (bits >> 63) != 0};
    return {fraction | (std::uint64_t{1} << 52), field - 1, (bits >> 63) != 0};
}

constexpr std::uint32_t CarryEvery = 1u << 30;
// Bits of the largest sum: the top double's bits above 2^-1074 (2098), twice
// that for squares, and room for 2^63 terms.
constexpr int ValueBits = 2098 + 64 + 32;
constexpr int SquareBits = 2 * 2098 + 64 + 32;

}  // namespace

ExactSum::Digits::Digits(int bits) : digits_(static_cast<std::size_t>(bits / 32 + 1), 0) {}

void ExactSum::Digits::add(unsigned __int128 magnitude, int shift) {
    std::size_t index = static_cast<std::size_t>(shift / 32);
    const int part = shift % 32;
    // Each 32-bit piece of the magnitude, moved by part bits, spans two digits.
    while (magnitude != 0) {
        const std::uint64_t piece = static_cast<std::uint64_t>(magnitude & 0xffffffffu) << part;
        digits_[index] += piece & 0xffffffffu;
        digits_[index + 1] += piece >> 32;
        magnitude >>= 32;
        ++index;
    }
    if (++pendingAdditions_ == CarryEvery) carry();
}

void ExactSum::Digits::carry() {
    std::uint64_t carried = 0;
    for (std::uint64_t& digit : digits_) {
        digit += carried;
        carried = digit >> 32;
        digit &= 0xffffffffu;
    }
    assert(carried == 0);
    pendingAdditions_ = 0;
}

BigInteger ExactSum::Digits::value() const {
    Digits copy = *this;
    copy.carry();
    std::vector<std::uint32_t> digits(copy.digits_.begin(), copy.digits_.end());
    return BigInteger::fromDigits(std::move(digits), false);
}

ExactSum::ExactSum() : positive_(ValueBits), negative_(ValueBits), squares_(SquareBits) {}

void ExactSum::add(double x) {
    assert(std::isfinite(x));
    const Decomposed d = decompose(x);
    ++count_;
    if (d.mantissa == 0) return;
    (d.negative ? negative_ : positive_).add(d.mantissa, d.shift);
    squares_.add(static_cast<unsigned __int128>(d.mantissa) * d.mantissa, 2 * d.shift);
}

BigInteger ExactSum::sum() const { return positive_.value() - negative_.value(); }

BigInteger ExactSum::sumOfSquares() const { return squares_.value(); }

ExactSum exactSumOf(std::span<const double> values) {
    ExactSum sums;
    for (double x : values) sums.add(x);
    return sums;
}

}  // namespace cpt
