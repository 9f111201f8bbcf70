#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/analysis/transformation.h"
#include "core/common/user_error.h"
#include "core/input/text_table.h"
#include "core/input/text_treatments.h"
#include "support/test_files.h"

namespace cpt {
namespace {

ReadOptions givenSizes() {
    ReadOptions options;
    options.sampleSize = 20;
    options.estimates = {{"Maize", 0.2}, {"Sorghum", 0.3}};
    return options;
}

TEST(TableReading, FormIsDecidedByTheFirstLine) {
    struct Case {
        const char* name;
        const char* firstLine;
        TextForm form;
    };
    const Case cases[] = {
        {"m.txt", "\"Maize\",\"Sample size\",60,\"Bootstrap number\",200,\"r\",60,0.1512", TextForm::Described},
        {"m.csv", "Maize,n,60,B,200,r,60,0.1512,0.2,0.3", TextForm::Described},
        {"m.txt", "Maize;n;60;B;200;r;60;0,1512", TextForm::Described},
        {"m.txt", "Maize,Sorghum,Wheat", TextForm::Table},
        {"m.txt", "\"\",\"Maize\",\"Sorghum\"", TextForm::Table},
        {"m.txt", "treatment\tvalue", TextForm::Table},
        {"m.csv", "Maize", TextForm::Table},
        {"m.TSV", "1\t2", TextForm::Table},
        {"m.txt", "Maize", TextForm::Described},                    // a heading spread over lines
        {"m.txt", "Maize,n,sixty,B,200,r,60,0.15", TextForm::Described},  // a broken heading keeps its messages
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstLine);
        EXPECT_EQ(textFormOf(c.name, c.firstLine), c.form);
    }
}

TEST(TableReading, SeparatorComesFromTheHeaderLine) {
    EXPECT_EQ(tableSeparator("a,b,c"), ',');
    EXPECT_EQ(tableSeparator("a;b;\"c,d,e\""), ';');
    EXPECT_EQ(tableSeparator("a b\tc, d"), '\t');
    EXPECT_EQ(tableSeparator("a"), ',');
}

TEST(TableReading, SourcesCodesAndPlainMeans) {
    testing::TempFolder folder;
    const auto path = folder.write("r.csv", "Maize,Sorghum\n1,2\n3,4\n,6\n");
    const std::vector<Treatment> treatments = readTextTreatments(path, givenSizes());
    ASSERT_EQ(treatments.size(), 2u);
    EXPECT_EQ(treatments[0].source, "column \"Maize\" of " + path.string());
    EXPECT_EQ(treatments[1].code, "r");
    EXPECT_EQ(treatments[1].values.size(), 3u);
    EXPECT_FALSE(treatments[1].orderingMean.has_value());
    EXPECT_EQ(orderingMeanOf(treatments[1]), 4.0);

    ReadOptions coded = givenSizes();
    coded.parameter = "R0";
    EXPECT_EQ(readTextTreatments(path, coded)[0].code, "R0");
}

// Only the parameter taken is transformed: another's values (here lambda,
// above 1) need not lie in the transformation's range.
TEST(TableReading, TheTransformationTakesOnlyTheParameterNamed) {
    testing::TempFolder folder;
    const auto path = folder.write("study.csv",
                                   "parameter,treatment,value\nlambda,Maize,1.16\nr,Maize,0.25\nlambda,Maize,1.17\n"
                                   "r,Maize,0.5\n");
    ReadOptions options = givenSizes();
    options.parameter = "r";
    options.transformation = Transformation::Arcsine;
    const std::vector<Treatment> treatments = readTextTreatments(path, options);
    ASSERT_EQ(treatments.size(), 1u);
    ASSERT_EQ(treatments[0].values.size(), 2u);
    EXPECT_EQ(treatments[0].values[0], applyTransformation(Transformation::Arcsine, 0.25));
    EXPECT_EQ(treatments[0].values[1], applyTransformation(Transformation::Arcsine, 0.5));

    options.parameter = "lambda";
    EXPECT_THROW(readTextTreatments(path, options), UserError) << "lambda itself is out of the range";
}

// A front end lists a table before asking for what it lacks: the gaps stay
// open (marked missing) where the table and the options give nothing, and
// what either gives is kept.
TEST(TableReading, GapsLeftOpenShowWhatATableLacks) {
    testing::TempFolder folder;
    const auto path = folder.write("t.csv",
                                   "treatment,value,n,estimate\nMaize,1,30,\nMaize,2,30,\nWheat,3,,0.5\nWheat,4,,0.5\n"
                                   "Rye,5,,\nRye,6,,\n");
    ReadOptions options;
    options.leaveMissingOpen = true;
    options.estimates = {{"Rye", 0.25}};
    const std::vector<Treatment> treatments = readTextTreatments(path, options);
    ASSERT_EQ(treatments.size(), 3u);
    EXPECT_EQ(treatments[0].sampleSize, 30);
    EXPECT_FALSE(treatments[0].sampleSizeMissing);
    EXPECT_TRUE(treatments[0].estimateMissing);
    EXPECT_TRUE(treatments[1].sampleSizeMissing);
    EXPECT_FALSE(treatments[1].estimateMissing);
    EXPECT_EQ(treatments[1].estimate, 0.5);
    EXPECT_TRUE(treatments[2].sampleSizeMissing);
    EXPECT_FALSE(treatments[2].estimateMissing);
    EXPECT_EQ(treatments[2].estimate, 0.25);

    options.sampleSizes = {{"Wheat", 0}};
    EXPECT_THROW(readTextTreatments(path, options), UserError) << "a given n of 0 is still refused";
}

struct BadTable {
    const char* name;
    std::string contents;
    std::string message;  // after "The file \"NAME\" cannot be used: "
};

TEST(TableReading, BadTablesAreRefusedNamingTheFileAndThePlace) {
    const std::string longCell(100, 'x');
    const BadTable cases[] = {
        {"r.csv", "Maize,Sorghum\n0.1,0.2\n0.3,abc\n",
         "row 3, column 2 (treatment \"Sorghum\") should be a bootstrap value (a number), but it holds \"abc\"."},
        {"r.csv", "Maize\n0.1\n" + longCell + "\n",
         "row 3, column 1 (treatment \"Maize\") should be a bootstrap value (a number), but it holds \"" +
             std::string(80, 'x') + "\u2026\"."},
        {"r.csv", "Maize,Sorghum\n\"0.1,0.2\n0.3,0.4\n", "row 2, column 1 opens a double quote that is never closed."},
        {"r.csv", "\"Maize\"x,Sorghum\n1,2\n",
         "row 1, column 1 has \"x\" after its closing double quote; a quote inside a quoted cell is written twice "
         "(\"\")."},
        {"r.csv", ",,\n1,2\n",
         "its first row (row 1) holds no column names, but a table needs a header row: the treatments' names, or "
         "\"treatment\" and \"value\"."},
        {"r.csv", "Maize,,Sorghum\n1,2,3\n",
         "row 1, column 2 is empty, but the header row must name every column from its first name on."},
        {"r.csv", "Treatment,Values\nMaize,1\n",
         "its header row names a column \"treatment\" (row 1, column 1) but none \"value\": a table of one row per "
         "value needs both, a table of one column per treatment names no column \"treatment\"."},
        {"r.csv", "Maize,Sorghum,Maize\n1,2,3\n",
         "row 1, column 3 names the column \"Maize\" again (row 1, column 1 does already); each column needs a name "
         "of its own."},
        {"r.csv", "Maize,Sorghum\n1,\n2,\n", "column \"Sorghum\" of DIR/r.csv holds no values: every cell below its "
                                             "name is empty."},
        {"r.csv", "Maize,Sorghum\n1,2\n3,\n4,5\n",
         "row 3, column 2 is empty, but column \"Sorghum\" goes on below it (row 4, column 2); only the end of a "
         "column may be empty."},
        {"r.csv", "Maize,Sorghum\n1,2\n3,\n",
         "column \"Sorghum\" of DIR/r.csv holds only 1 bootstrap value, but at least 2 are needed."},
        {"r.csv", "Maize\n1\n2\n3,4\n", "row 4, column 2 holds \"4\", but the header row names no column there."},
        {"r.csv", "treatment,value,n\nMaize,1,20\nMaize,2,21\n",
         "row 3, column 3 gives n = 21 for treatment \"Maize\", but row 2 gives n = 20; n must be the same in every "
         "row of a treatment."},
        {"r.csv", "treatment,value,n\nMaize,1,2.5\n",
         "row 2, column 3 should be the sample size n of treatment \"Maize\" (a whole number of at least 1), but it "
         "holds \"2.5\"."},
        {"r.csv", "treatment,value,estimate\nMaize,1,0.2\nMaize,2,0.25\n",
         "row 3, column 3 gives the estimate 0.25 for treatment \"Maize\", but row 2 gives 0.2; the estimate must be "
         "the same in every row of a treatment."},
        {"r.csv", "treatment,value\nMaize,1\n,2\n", "row 3, column 1 gives no treatment name, but its row holds other "
                                                    "cells."},
        {"r.csv", "treatment,value\nMaize,\n", "row 2, column 2 is empty, but its row names the treatment \"Maize\"."},
        {"r.csv", "parameter,treatment,value\nr,Maize,1\nR0,Maize,2\nr,Maize,3\nR0,Maize,4\n",
         "it holds treatments of 2 parameters (r, R0); name one with --parameter CODE."},
        {"r.csv", "", "it is empty, but a table needs a header row and values below it."},
    };
    testing::TempFolder folder;
    for (const BadTable& c : cases) {
        SCOPED_TRACE(c.contents);
        const auto path = folder.write(c.name, c.contents);
        std::string expected = c.message;
        for (std::size_t at; (at = expected.find("DIR/")) != std::string::npos;) {
            expected.replace(at, 4, folder.path().string() + "/");
        }
        try {
            readTextTreatments(path, givenSizes());
            ADD_FAILURE() << "no complaint";
        } catch (const UserError& error) {
            EXPECT_EQ(error.what(), "The file \"" + path.string() + "\" cannot be used: " + expected);
        }
    }
}

TEST(TableReading, MissingHeadingFieldsAndParametersSayHowToGiveThem) {
    struct Case {
        std::string contents;
        ReadOptions options;
        std::string message;
    };
    ReadOptions none;
    ReadOptions sizesOnly;
    sizesOnly.sampleSizes = {{"Maize", 20}, {"Host A", 30}};
    ReadOptions web = none;
    web.wording.sampleSize = "the box \"Sample size\"";
    ReadOptions wrongParameter = givenSizes();
    wrongParameter.parameter = "GRR";
    const Case cases[] = {
        {"Maize,Sorghum\n1,2\n3,4\n", none,
         "the table gives no sample size for treatment \"Maize\"; give it with --sample-size Maize=N (or "
         "--sample-size N for every treatment)."},
        {"Maize,Host A\n1,2\n3,4\n", sizesOnly,
         "the table gives no estimate (the parameter of the full sample) for treatment \"Maize\"; give it with "
         "--estimate Maize=X."},
        {"Maize,Sorghum\n1,2\n3,4\n", web,
         "the table gives no sample size for treatment \"Maize\"; give it with the box \"Sample size\" Maize=N (or "
         "the box \"Sample size\" N for every treatment)."},
        {"parameter,treatment,value\nr,Maize,1\nr,Maize,2\nR0,Maize,4\n", wrongParameter,
         "it gives no treatment of the parameter \"GRR\" (it has r, R0)."},
    };
    testing::TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const auto path = folder.write("t.csv", c.contents);
        try {
            readTextTreatments(path, c.options);
            ADD_FAILURE() << "no complaint";
        } catch (const UserError& error) {
            EXPECT_EQ(error.what(), "The file \"" + path.string() + "\" cannot be used: " + c.message);
        }
    }
}

}  // namespace
}  // namespace cpt
