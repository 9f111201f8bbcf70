#include "core/common/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace cpt {
namespace {

struct FormCase {
    double value;
    const char* record;
    const char* blankLed;
    const char* print;
    const char* text;
};

TEST(NumberFormat, FourFormsOfTypicalValues) {
    const FormCase cases[] = {
        {3, "3", " 3", " 3 ", "3"},
        {0.5, ".5", " .5", " .5 ", "0.5"},
        {-0.25, "-.25", "-.25", "-.25 ", "-0.25"},
        {0, "0", " 0", " 0 ", "0"},
        {-0.0, "0", " 0", " 0 ", "0"},
        {9000000, "9000000", " 9000000", " 9000000 ", "9000000"},
        {-3, "-3", "-3", "-3 ", "-3"},
        {1.0 / 3, ".333333333333333", " .333333333333333", " .333333333333333 ", "0.333333333333333"},
        {2.0 / 3, ".666666666666667", " .666666666666667", " .666666666666667 ", "0.666666666666667"},
        {0.1 + 0.2, ".3", " .3", " .3 ", "0.3"},
        {1e-5, "1E-05", " 1E-05", " 1E-05 ", "1E-05"},
        {0.0001, ".0001", " .0001", " .0001 ", "0.0001"},
        {-0.00001234, "-1.234E-05", "-1.234E-05", "-1.234E-05 ", "-1.234E-05"},
        {1.5e20, "1.5E+20", " 1.5E+20", " 1.5E+20 ", "1.5E+20"},
        {1e15, "1E+15", " 1E+15", " 1E+15 ", "1E+15"},
        {999999999999999, "999999999999999", " 999999999999999", " 999999999999999 ", "999999999999999"},
        {1e100, "1E+100", " 1E+100", " 1E+100 ", "1E+100"},
        {1.6666666666666667, "1.66666666666667", " 1.66666666666667", " 1.66666666666667 ", "1.66666666666667"},
        {-0.030302643722024403, "-.0303026437220244", "-.0303026437220244", "-.0303026437220244 ",
         "-0.0303026437220244"},
        {0.050000000000000044, ".05", " .05", " .05 ", "0.05"},
        {9999999999999998.0, "1E+16", " 1E+16", " 1E+16 ", "1E+16"},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.record);
        EXPECT_EQ(recordNumber(c.value), c.record);
        EXPECT_EQ(blankLedNumber(c.value), c.blankLed);
        EXPECT_EQ(printNumber(c.value), c.print);
        EXPECT_EQ(textNumber(c.value), c.text);
    }
}

// The record form must carry exactly the digits and exponent of "%.15G",
// whatever route the fast writer takes.
std::string viaPrintf(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text = buffer;
    std::size_t digits = text[0] == '-' ? 1 : 0;
    if (text.compare(digits, 2, "0.") == 0) text.erase(digits, 1);
    if (text == "-0") text = "0";
    return text;
}

TEST(NumberFormat, AgreesWithPrintfBelowTheNormalRange) {
    for (double value : {-1.3577664124044803E-310, 4.9406564584124654E-324, 2.2250738585072009E-308,
                         1.0E-320, 2.2250738585072014E-308}) {
        EXPECT_EQ(recordNumber(value), viaPrintf(value));
    }
}

TEST(NumberFormat, AgreesWithPrintfOnRandomValues) {
    std::mt19937_64 engine(20261209);
    std::uniform_real_distribution<double> unit(-1, 1);
    std::uniform_int_distribution<int> exponent(-30, 30);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 200000; ++i) {
        double value;
        switch (i % 4) {
            case 0: value = unit(engine) * std::pow(10.0, exponent(engine)); break;
            case 1: value = std::round(unit(engine) * 1e6) / 1000; break;          // few digits
            case 2: value = (unit(engine) - unit(engine)) * 0.37; break;          // differences
            default: {
                std::uint64_t b = bits(engine);
                std::memcpy(&value, &b, sizeof value);
                if (!std::isfinite(value)) continue;
            }
        }
        ASSERT_EQ(recordNumber(value), viaPrintf(value)) << "value bits of " << value;
    }
}

}  // namespace
}  // namespace cpt
