#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "core/study/study_rounding.h"

namespace cpt {
namespace {

struct RoundingCase {
    double estimate;
    double standardError;
    int digits;
    const char* estimateText;
    const char* errorText;
};

TEST(StudyRounding, WritesTheErrorToItsDigitsAndTheEstimateToTheSamePlace) {
    const RoundingCase cases[] = {
        {0.15123, 0.00588, 2, "0.1512", "0.0059"},
        {31.234, 1.43, 2, "31.2", "1.4"},
        {48.3, 12.3, 2, "48", "12"},
        // 0.095 is stored a little above 0.095: it keeps its two digits.
        {0.512, 0.095, 2, "0.512", "0.095"},
        {0.15123, 0.00588, 3, "0.15123", "0.00588"},
        {31.234, 1.43, 3, "31.23", "1.43"},
        {123.456, 0.5, 1, "123.5", "0.5"},
        // A carry into a new digit keeps two digits, and the estimate follows.
        {0.15123, 0.0996, 2, "0.15", "0.10"},
        {9.96, 0.996, 2, "10.0", "1.0"},
        {-0.0123, 0.00456, 2, "-0.0123", "0.0046"},
        {-0.0004, 0.0456, 2, "0.000", "0.046"},
        // Errors of 10^digits and more: zeros before the point, both rounded to tens.
        {1234, 123, 2, "1230", "120"},
        {1234.5, 99.6, 2, "1230", "100"},
        {-1234, 123, 2, "-1230", "120"},
        {42, 123, 2, "40", "120"},
        {-42, 123, 2, "-40", "120"},
        {4.9, 123, 2, "0", "120"},
        {-4.9, 123, 2, "0", "120"},
        {99960, 123, 2, "99960", "120"},
        {99996, 123, 2, "100000", "120"},
        // Halves go to the even neighbour, judged on the exact binary value.
        {1235, 123, 2, "1240", "120"},
        {1245, 123, 2, "1240", "120"},
        {1250, 1234, 2, "1200", "1200"},
        {1250.4, 1234, 2, "1300", "1200"},
        {0.125, 0.05, 1, "0.12", "0.05"},
        {0.375, 0.05, 1, "0.38", "0.05"},
        {2.675, 0.05, 1, "2.67", "0.05"},  // 2.67499999999999982236431605997495353221893310546875
        // No error: the estimate in the text form.
        {0.5, 0, 2, "0.5", "0"},
        {40, 0, 2, "40", "0"},
    };
    for (const RoundingCase& c : cases) {
        const RoundedPair rounded = roundEstimateAndError(c.estimate, c.standardError, c.digits);
        EXPECT_EQ(rounded.estimate, c.estimateText) << c.estimate << " ± " << c.standardError << ", " << c.digits;
        EXPECT_EQ(rounded.standardError, c.errorText) << c.estimate << " ± " << c.standardError << ", " << c.digits;
    }
}

TEST(StudyRounding, ValuesThatCannotBeRoundedAreWrittenInTheTextForm) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const RoundedPair noError = roundEstimateAndError(0.25, nan, 2);
    EXPECT_EQ(noError.estimate, "0.25");
    EXPECT_NE(noError.standardError.find_first_of("Nn"), std::string::npos);
    EXPECT_EQ(roundEstimateAndError(0.25, -0.01, 2).standardError, "-0.01");
}

TEST(StudyRounding, RefusesDigitsOutsideOneToFifteen) {
    EXPECT_THROW(roundEstimateAndError(1, 0.1, 0), std::invalid_argument);
    EXPECT_THROW(roundEstimateAndError(1, 0.1, MaxStudyDigits + 1), std::invalid_argument);
    EXPECT_EQ(roundEstimateAndError(1, 0.1, MaxStudyDigits).standardError, "0.100000000000000");
}

TEST(StudyRounding, DecimalRoundingOfTheExactValue) {
    EXPECT_EQ(decimalRounded(0.5, 0), "0");
    EXPECT_EQ(decimalRounded(1.5, 0), "2");
    EXPECT_EQ(decimalRounded(-0.25, -1), "-0.2");
    EXPECT_EQ(decimalRounded(-0.04, -1), "0.0");
    EXPECT_EQ(decimalRounded(5e-324, 3), "0");
    EXPECT_EQ(decimalRounded(1e300, 299), "10" + std::string(299, '0'));
}

}  // namespace
}  // namespace cpt
