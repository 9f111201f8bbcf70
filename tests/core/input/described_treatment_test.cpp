#include <gtest/gtest.h>

#include <string>

#include "core/analysis/transformation.h"
#include "core/common/user_error.h"
#include "core/input/described_treatment.h"

namespace cpt {
namespace {

constexpr const char* Heading = "\"Maize\",\"Sample size\",20,\"Bootstrap number\",3,\"r\",21,0.2134\n";

TEST(DescribedTreatment, KeepsBValuesAndCountsValueBPlusOneInTheOrderingMeanAsTheFirstPassDoes) {
    struct Case {
        const char* values;
        double orderingMean;
    };
    const Case cases[] = {
        {"1\n2\n3\n", (1.0 + 2 + 3) / 3},              // ends after B
        {"1\n2\n3\n-1\n", (1.0 + 2 + 3) / 3},          // end mark after B
        {"1\n2\n3\n6\n", (1.0 + 2 + 3 + 6) / 3},       // ends right after B + 1
        {"1\n2\n3\n6\n7\n", (1.0 + 2 + 3 + 6) / 4},    // more after B + 1
        {"1\n2\n3\n6\n-1\n", (1.0 + 2 + 3 + 6) / 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values);
        FieldReader reader(std::string(Heading) + c.values, "maize.txt");
        const Treatment t = readDescribedTreatment(reader, Transformation::None);
        EXPECT_EQ(t.name, "Maize");
        EXPECT_EQ(t.code, "r");
        EXPECT_EQ(t.sampleSize, 21);  // field 7, the one kept
        EXPECT_EQ(t.estimate, 0.2134);
        EXPECT_EQ(t.source, "maize.txt");
        EXPECT_EQ(std::vector<double>(t.values.begin(), t.values.end()), (std::vector<double>{1, 2, 3}));
        ASSERT_TRUE(t.orderingMean.has_value());
        EXPECT_EQ(*t.orderingMean, c.orderingMean);
    }
}

TEST(DescribedTreatment, TransformsAsItReadsAndRefusesWithTheFirstPassMessages) {
    FieldReader arcsine(std::string(Heading) + "0.25\n0.5\n0.75\n", "a.txt");
    const Treatment t = readDescribedTreatment(arcsine, Transformation::Arcsine);
    EXPECT_EQ(t.values[0], applyTransformation(Transformation::Arcsine, 0.25));
    EXPECT_EQ(t.transformation, Transformation::Arcsine);

    const std::pair<std::string, std::string> bad[] = {
        {"1\n2\n", "it holds only 2 bootstrap values, but field 5 gives B = 3."},
        {"1\n-1\n", "the end mark -1 in field 10 comes after only 1 bootstrap values, but field 5 gives B = 3."},
        {"1\nx\n3\n", "field 10 should be bootstrap value 2 (a number), but it holds \"x\"."},
    };
    for (const auto& [values, message] : bad) {
        FieldReader reader(std::string(Heading) + values, "m.txt");
        try {
            readDescribedTreatment(reader, Transformation::None);
            ADD_FAILURE() << values;
        } catch (const UserError& error) {
            EXPECT_EQ(error.what(), "The file \"m.txt\" cannot be used: " + message);
        }
    }
}

TEST(DescribedTreatment, SemicolonFileIsReadWithDecimalCommas) {
    FieldReader reader("Maize;Sample size;20;Bootstrap number;2;r;20;0,2134\n0,1\n0,3\n", "s.txt");
    const Treatment t = readDescribedTreatment(reader, Transformation::None);
    EXPECT_EQ(t.sampleSize, 20);
    EXPECT_EQ(t.estimate, 0.2134);
    EXPECT_EQ(std::vector<double>(t.values.begin(), t.values.end()), (std::vector<double>{0.1, 0.3}));
}

}  // namespace
}  // namespace cpt
