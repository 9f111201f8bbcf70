#include "core/life/records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/user_error.h"

namespace cpt::life {
namespace {

std::vector<double> eggsOf(const TreatmentRecords& treatment, const std::string& name) {
    for (const Individual& individual : treatment.individuals) {
        if (individual.name == name) return individual.eggs;
    }
    ADD_FAILURE() << "no individual " << name;
    return {};
}

TEST(RecordsReader, LongRowsInAnyOrderAndLetterCase) {
    const std::vector<TreatmentRecords> treatments = readTextRecords(
        "Eggs,AGE,Individual,Treatment,sex\n"
        "2,2,a1,Maize,F\n"
        "0,1,b1,Bean,male\n"
        "0,1,a1,Maize,f\n"
        "1.5,3,a1,Maize,\n"
        "0,1,a2,Maize,\n",
        "records.csv");
    ASSERT_EQ(treatments.size(), 2U);
    EXPECT_EQ(treatments[0].name, "Maize");  // in order of first appearance
    EXPECT_EQ(treatments[1].name, "Bean");
    ASSERT_EQ(treatments[0].individuals.size(), 2U);
    EXPECT_EQ(treatments[0].individuals[0].name, "a1");
    EXPECT_EQ(treatments[0].individuals[0].sex, Sex::Female);
    EXPECT_EQ(eggsOf(treatments[0], "a1"), (std::vector<double>{0, 2, 1.5}));
    EXPECT_EQ(treatments[0].individuals[1].sex, Sex::Unknown);
    EXPECT_EQ(treatments[1].individuals[0].sex, Sex::Male);
    EXPECT_TRUE(treatments[0].hasSex);
}

TEST(RecordsReader, WideRowsWithDecimalCommasAndTheFileNameAsTreatment) {
    const std::vector<TreatmentRecords> treatments = readTextRecords(
        "individual;sex;1;2;3;4\n"
        "a;f;0;2,5;3;\n"
        "b;m;0;;;\n",
        "data/Maize.csv");
    ASSERT_EQ(treatments.size(), 1U);
    EXPECT_EQ(treatments[0].name, "Maize");
    EXPECT_EQ(eggsOf(treatments[0], "a"), (std::vector<double>{0, 2.5, 3}));
    EXPECT_EQ(eggsOf(treatments[0], "b"), (std::vector<double>{0}));
}

TEST(RecordsReader, AggregateTableTakesAgesAsWritten) {
    const std::vector<TreatmentRecords> treatments = readTextRecords("age,lx,mx\n0,1,0\n1.5,0.8,2\n", "agg.csv");
    ASSERT_EQ(treatments.size(), 1U);
    ASSERT_TRUE(treatments[0].isAggregate());
    ASSERT_EQ(treatments[0].aggregate.size(), 2U);
    EXPECT_EQ(treatments[0].aggregate[1].age, 1.5);
    EXPECT_EQ(treatments[0].aggregate[1].mx, 2);
}

TEST(RecordsReader, Utf16WithItsMark) {
    const std::string text = "individual,1,2\r\nz,0,4\r\n";
    std::string utf16 = "\xFF\xFE";
    for (const char c : text) {
        utf16 += c;
        utf16 += '\0';
    }
    const std::vector<TreatmentRecords> treatments = readTextRecords(utf16, "T.csv");
    EXPECT_EQ(eggsOf(treatments.at(0), "z"), (std::vector<double>{0, 4}));
}

struct Refusal {
    std::string name;
    std::string contents;
    std::vector<std::string> named;  // what the message must name
};

TEST(RecordsReader, RefusalsNameTheFileTheRowAndTheIndividual) {
    const std::string longHeader = "treatment,individual,age,eggs,sex\n";
    const std::vector<Refusal> refusals = {
        {"negative eggs", longHeader + "T,a,1,0,f\nT,a,2,-1,f\n", {"row 3", "individual \"a\"", "\"-1\""}},
        {"eggs beyond any count", longHeader + "T,a,1,1E+300,f\n", {"row 2", "individual \"a\"", "\"1E+300\""}},
        {"an aggregate mx beyond any count", "age,lx,mx\n1,1,2E16\n", {"row 2", "\"2E16\""}},
        {"unreadable eggs", longHeader + "T,a,1,x2,f\n", {"row 2", "individual \"a\"", "\"x2\""}},
        {"a gap", longHeader + "T,a,1,0,f\nT,a,3,0,f\n", {"age 2", "row 3", "individual \"a\""}},
        {"an age twice", longHeader + "T,a,1,0,f\nT,a,1,0,f\n", {"row 3", "row 2", "individual \"a\""}},
        {"an age that is no whole day", longHeader + "T,a,1.5,0,f\n", {"row 2", "individual \"a\"", "\"1.5\""}},
        {"age 0", longHeader + "T,a,0,0,f\n", {"row 2", "individual \"a\""}},
        {"an unknown sex", longHeader + "T,a,1,0,x\n", {"row 2", "individual \"a\"", "\"x\""}},
        {"two sexes", longHeader + "T,a,1,0,f\nT,a,2,0,m\n", {"row 3", "row 2", "individual \"a\""}},
        {"no eggs on a day", longHeader + "T,a,1,,f\n", {"row 2", "individual \"a\""}},
        {"a value after death", "individual,1,2,3\nk,0,,4\n", {"row 2", "individual \"k\"", "column 4", "column 3"}},
        {"an individual twice", "individual,1,2\nk,0,1\nk,0,2\n", {"row 3", "row 2", "individual \"k\""}},
        {"no first day", "individual,1,2\nk,,\nj,,\n", {"row 2", "individual \"k\""}},
        {"a treatment without individuals", longHeader, {"no records", "no individuals"}},
        {"a file of one treatment without individuals", "individual,1\n", {"\"T\"", "no individuals"}},
        {"no header", "", {"empty"}},
        {"ages not side by side", "individual,1,3\nk,0,0\n", {"row 1", "\"3\""}},
        {"an unknown column", "individual,age,eggs,weight\nk,1,0,3\n", {"\"weight\""}},
        {"a cell beyond the header", "individual,age,eggs\nk,1,0,3\n", {"row 2", "column 4"}},
        {"age beyond any cohort", longHeader + "T,a,1000000,0,f\n", {"row 2", "individual \"a\""}},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        try {
            readTextRecords(refusal.contents, "T.csv");
            ADD_FAILURE() << "read without complaint";
        } catch (const UserError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("\"T.csv\""), std::string::npos) << message;
            for (const std::string& part : refusal.named) EXPECT_NE(message.find(part), std::string::npos) << message;
        }
    }
}

TEST(RecordsReader, FilesJoinTreatmentsButNeverAnIndividualTwice) {
    Records records;
    addRecords(records, readTextRecords("individual,1\na,0\n", "Maize.csv"));
    addRecords(records, readTextRecords("treatment,individual,1\nBean,c,0\nMaize,b,1\n", "more.csv"));
    ASSERT_EQ(records.treatments.size(), 2U);
    EXPECT_EQ(records.treatments[0].individuals.size(), 2U);
    EXPECT_EQ(records.treatments[0].individuals[1].name, "b");
    try {
        addRecords(records, readTextRecords("treatment,individual,1\nMaize,a,3\n", "again.csv"));
        ADD_FAILURE() << "individual a given twice";
    } catch (const UserError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("\"a\""), std::string::npos) << message;
        EXPECT_NE(message.find("again.csv"), std::string::npos) << message;
        EXPECT_NE(message.find("Maize.csv"), std::string::npos) << message;
    }
}

TEST(RecordsReader, SexNames) {
    EXPECT_EQ(sexNamed("FEMALE"), Sex::Female);
    EXPECT_EQ(sexNamed("M"), Sex::Male);
    EXPECT_EQ(sexNamed(""), Sex::Unknown);
    EXPECT_FALSE(sexNamed("fem").has_value());
}

}  // namespace
}  // namespace cpt::life
