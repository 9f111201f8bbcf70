// The fast number writer of the difference files must write exactly what
// the general one writes.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <string>

#include "core/common/fast_record_number.h"
#include "core/common/number_format.h"

namespace cpt {
namespace {

std::string fast(double value) {
    char out[MaxNumberChars];
    return std::string(out, static_cast<std::size_t>(writeRecordNumberFast(value, out)));
}

TEST(FastRecordNumber, WritesWhatTheGeneralWriterWrites) {
    const double edges[] = {0.0,   -0.0,    0.5,     -0.25,   1,       10,      0.1,      0.3 - 0.1,
                            1e-5,  9.99999999999999e-5,       1e-4,    -1e-4,   123456789012345.0,
                            999999999999999.4, 999999999999999.6, 1e15, 0.1234567890123455, 0.1234567890123445,
                            2.5e-8, 1e-9, 5e-324, 1.7976931348623157e308, 0.0000999999999999995,
                            99999.99999999995, 0.30000000000000004, 1.0000000000000002, 3000, 9000000,
                            -7,    9,       99,      100,     999999999999999.0, -999999999999999.0, 1e14,
                            4503599627370496.0};
    for (double value : edges) EXPECT_EQ(fast(value), recordNumber(value)) << value;

    std::mt19937_64 generator(7);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_int_distribution<int> exponent(-12, 17);
    std::normal_distribution<double> noise(0, 0.012);
    for (int i = 0; i < 200000; ++i) {
        double value = 0;
        switch (i % 4) {
            case 0: value = std::bit_cast<double>(bits(generator)); break;
            case 1:  // fifteen decimal digits at any scale
                value = static_cast<double>(bits(generator) % 1'000'000'000'000'000ull) *
                        std::pow(10.0, exponent(generator) - 15);
                break;
            case 2:  // whole numbers: row numbers, tags, counts
                value = static_cast<double>(static_cast<std::int64_t>(bits(generator) >> (11 + i % 50))) *
                        (i % 8 == 2 ? -1 : 1);
                break;
            default:  // differences of six-decimal bootstrap values
                value = std::nearbyint((0.21 + noise(generator)) * 1e6) / 1e6 -
                        std::nearbyint((0.22 + noise(generator)) * 1e6) / 1e6;
        }
        if (!std::isfinite(value)) continue;
        ASSERT_EQ(fast(value), recordNumber(value)) << std::hexfloat << value;
    }
}

}  // namespace
}  // namespace cpt
