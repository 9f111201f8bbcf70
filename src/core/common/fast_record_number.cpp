#include "core/common/fast_record_number.h"

#include <array>
#include <cstdint>
#include <cmath>
#include <cstring>

#include "core/common/double_bits.h"
#include "core/common/number_format.h"

namespace cpt {
namespace {

using u128 = unsigned __int128;

// 10^0 .. 10^22: with a 53-bit significand the products stay below 2^128.
constexpr int MaxPower = 22;
constexpr auto Powers = [] {
    std::array<u128, MaxPower + 1> powers{};
    u128 p = 1;
    for (int i = 0; i <= MaxPower; ++i) {
        powers[static_cast<std::size_t>(i)] = p;
        p *= 10;
    }
    return powers;
}();

// 1E-9 .. 1E+16 as doubles, for a closer first guess at the exponent.
constexpr std::array<double, 26> DecimalPowers{1e-9, 1e-8, 1e-7, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1,
                                               1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,
                                               1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16};

constexpr std::uint64_t Low15 = 100'000'000'000'000ull;   // 10^14
constexpr std::uint64_t High15 = 1'000'000'000'000'000ull;  // 10^15

// floor(significand * 2^exponent2 * 10^power), exactly; exponent2 < 0.
std::uint64_t scaledFloor(std::uint64_t significand, int shift, int power, u128& remainder) {
    u128 product = static_cast<u128>(significand) * Powers[static_cast<std::size_t>(power)];
    remainder = product & ((static_cast<u128>(1) << shift) - 1);
    return static_cast<std::uint64_t>(product >> shift);
}

constexpr auto DigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

void writeFourDigits(std::uint32_t value, char* out) {
    std::memcpy(out, DigitPairs.data() + 2 * (value / 100), 2);
    std::memcpy(out + 2, DigitPairs.data() + 2 * (value % 100), 2);
}

void writeEightDigits(std::uint32_t value, char* out) {
    writeFourDigits(value / 10000, out);
    writeFourDigits(value % 10000, out + 4);
}

// Digits of a whole number below 10^15, as the 15-digit form writes it.
int writeWhole(std::uint64_t whole, bool negative, char* out) {
    char buffer[16];
    char* end = buffer + sizeof buffer;
    char* p = end;
    while (whole >= 100) {
        p -= 2;
        std::memcpy(p, DigitPairs.data() + 2 * (whole % 100), 2);
        whole /= 100;
    }
    if (whole >= 10) {
        p -= 2;
        std::memcpy(p, DigitPairs.data() + 2 * whole, 2);
    } else {
        *--p = static_cast<char>('0' + whole);
    }
    char* o = out;
    if (negative) *o++ = '-';
    const auto length = static_cast<std::size_t>(end - p);
    std::memcpy(o, p, length);
    return static_cast<int>(o - out + static_cast<std::ptrdiff_t>(length));
}

}  // namespace

int writeRecordNumberFast(double value, char* out) {
    const std::uint64_t bits = bitsOf(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    if (value == 0 || biased == 0 || biased == 0x7ff) return writeRecordNumber(value, out);
    // Row numbers, tags and counts, most of a file's numbers, need no scaling.
    const double magnitude = std::fabs(value);
    if (magnitude < 1e15) {
        const auto whole = static_cast<std::uint64_t>(magnitude);
        if (static_cast<double>(whole) == magnitude) return writeWhole(whole, value < 0, out);
    }
    const std::uint64_t significand = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int exponent2 = biased - 1075;  // |value| = significand * 2^exponent2
    if (exponent2 >= 0) return writeRecordNumber(value, out);
    const int shift = -exponent2;

    // Decimal exponent of |value|: a guess from the binary one, then made
    // exact by the 15-digit window [10^14, 10^15) of the scaled value.
    int exponent10 = ((exponent2 + 52) * 78913) >> 18;
    if (exponent10 >= -9 && exponent10 < 16 && std::fabs(value) >= DecimalPowers[static_cast<std::size_t>(exponent10 + 10)]) {
        ++exponent10;
    }
    std::uint64_t digits = 0;
    u128 remainder = 0;
    for (int attempt = 0;; ++attempt) {
        const int power = 14 - exponent10;
        if (power < 0 || power > MaxPower || shift > 127 || attempt > 2) return writeRecordNumber(value, out);
        digits = scaledFloor(significand, shift, power, remainder);
        if (digits < Low15) {
            --exponent10;
        } else if (digits >= High15) {
            ++exponent10;
        } else {
            break;
        }
    }
    // Round to 15 digits, halves to even, as printf does on the exact value.
    const u128 half = static_cast<u128>(1) << (shift - 1);
    if (remainder > half || (remainder == half && (digits & 1) != 0)) ++digits;
    if (digits == High15) {
        digits = Low15;
        ++exponent10;
    }
    // Only the fixed-point forms; E notation is left to the general writer.
    if (exponent10 < -4 || exponent10 >= 15) return writeRecordNumber(value, out);

    char buffer[16];
    writeEightDigits(static_cast<std::uint32_t>(digits / 100'000'000), buffer);  // a leading 0, then 7 digits
    writeEightDigits(static_cast<std::uint32_t>(digits % 100'000'000), buffer + 8);
    const char* text = buffer + 1;
    int length = 15;
    while (length > 1 && text[length - 1] == '0') --length;

    char* p = out;
    if ((bits >> 63) != 0) *p++ = '-';
    if (exponent10 < 0) {
        *p++ = '.';
        for (int i = -1; i > exponent10; --i) *p++ = '0';
        std::memcpy(p, text, static_cast<std::size_t>(length));
        p += length;
    } else {
        const int whole = exponent10 + 1;
        if (length <= whole) {
            std::memcpy(p, text, static_cast<std::size_t>(length));
            p += length;
            for (int i = length; i < whole; ++i) *p++ = '0';
        } else {
            std::memcpy(p, text, static_cast<std::size_t>(whole));
            p += whole;
            *p++ = '.';
            std::memcpy(p, text + whole, static_cast<std::size_t>(length - whole));
            p += length - whole;
        }
    }
    return static_cast<int>(p - out);
}

}  // namespace cpt
