#include "core/life/life_front.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "core/common/user_error.h"

namespace cpt::life {
namespace {

const char* const LongRecords =
    "treatment,individual,age,eggs,sex\n"
    "A,a1,1,0,f\nA,a1,2,0.1,f\nA,a2,1,3,m\nB,b1,1,2.5,f\nB,b1,2,1e-7,f\n";

std::vector<RecordColumn> longColumns() {
    return {{"treatment", {"A", "A", "A", "B", "B"}},
            {"individual", {"a1", "a1", "a2", "b1", "b1"}},
            {"age", {recordCell(1), recordCell(2), recordCell(1), recordCell(1), recordCell(2)}},
            {"eggs", {recordCell(0), recordCell(0.1), recordCell(3), recordCell(2.5), recordCell(1e-7)}},
            {"sex", {"f", "f", "m", "f", "f"}}};
}

TEST(RecordCell, ReadsBackAsTheSameDouble) {
    for (const double value : {0.1, 1.0 / 3, 1e-7, 123456789.125, 5e-324, 1.7976931348623157e308}) {
        EXPECT_EQ(std::strtod(recordCell(value).c_str(), nullptr), value) << recordCell(value);
    }
    EXPECT_EQ(recordCell(std::nan("")), "");
}

TEST(RecordsOfColumns, GivesWhatTheSameTableInAFileGives) {
    const std::vector<TreatmentRecords> file = readTextRecords(LongRecords, "records.csv");
    const std::vector<TreatmentRecords> columns = recordsOfColumns(longColumns(), "x");
    ASSERT_EQ(columns.size(), file.size());
    for (std::size_t t = 0; t < file.size(); ++t) {
        EXPECT_EQ(columns[t].name, file[t].name);
        EXPECT_EQ(columns[t].hasSex, file[t].hasSex);
        ASSERT_EQ(columns[t].individuals.size(), file[t].individuals.size());
        for (std::size_t i = 0; i < file[t].individuals.size(); ++i) {
            EXPECT_EQ(columns[t].individuals[i].name, file[t].individuals[i].name);
            EXPECT_EQ(columns[t].individuals[i].sex, file[t].individuals[i].sex);
            EXPECT_EQ(columns[t].individuals[i].eggs, file[t].individuals[i].eggs);
        }
    }
}

TEST(RecordsOfColumns, NamesTheTableAndTheRowsAsTheCallerCountsThem) {
    std::vector<RecordColumn> columns = longColumns();
    columns[3].cells[1] = "-1";  // the second row's eggs
    try {
        recordsOfColumns(columns, "x");
        FAIL() << "negative eggs were taken";
    } catch (const UserError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("The records x cannot be used: row 2, column 4 (individual \"a1\"", 0), 0u) << message;
    }
    columns = longColumns();
    columns[1].cells.pop_back();
    EXPECT_THROW(recordsOfColumns(columns, "x"), UserError);
}

TEST(ReplicateValues, PutsEachKeptValueAtItsReplicate) {
    ParameterResult parameter;
    parameter.values = {10, 20, 30};
    parameter.withoutAt = {0, 2};
    parameter.without = 2;
    const std::vector<double> values = replicateValues(parameter, 5);
    ASSERT_EQ(values.size(), 5u);
    EXPECT_TRUE(std::isnan(values[0]));
    EXPECT_EQ(values[1], 10);
    EXPECT_TRUE(std::isnan(values[2]));
    EXPECT_EQ(values[3], 20);
    EXPECT_EQ(values[4], 30);
}

TEST(ReplicateValues, FollowTheRunsReplicatesWithoutOffspring) {
    // b1 lays nothing: each replicate of b1 alone has no r and no T.
    Records records;
    TreatmentRecords t;
    t.name = "A";
    t.source = "test";
    t.individuals = {{"a1", Sex::Unknown, {0, 4}}, {"b1", Sex::Unknown, {0, 0}}};
    records.treatments.push_back(t);
    LifeSettings settings;
    settings.bootstrap = 200;
    settings.threads = 2;
    settings.zeroOffspring = ZeroOffspring::Drop;
    const LifeResult result = runLifeTables(records, settings);
    const TreatmentResult& out = result.treatments.front();
    const std::vector<double> R0 = replicateValues(out.parameters[2], 200);
    const std::vector<double> r = replicateValues(out.parameters[0], 200);
    ASSERT_GT(out.zeroOffspring, 0);
    for (std::size_t b = 0; b < 200; ++b) EXPECT_EQ(std::isnan(r[b]), R0[b] == 0) << b;
    EXPECT_EQ(writtenParameters(result).size(), 5u);
}

TEST(ParameterTreatments, AreTheWrittenFilesAsTheyRead) {
    Records records;
    TreatmentRecords t;
    t.name = "A";
    t.source = "test";
    t.individuals = {{"a1", Sex::Unknown, {0, 4}}, {"a2", Sex::Unknown, {1, 2, 3}}};
    records.treatments.push_back(t);
    LifeSettings settings;
    settings.bootstrap = 20;
    const LifeResult result = runLifeTables(records, settings);
    const std::vector<Treatment> treatments = parameterTreatments(result, LifeParameter::R0);
    ASSERT_EQ(treatments.size(), 1u);
    EXPECT_EQ(treatments[0].name, "A");
    EXPECT_EQ(treatments[0].code, "R0");
    EXPECT_EQ(treatments[0].sampleSize, 2);
    EXPECT_EQ(treatments[0].values.size(), 20u);
    EXPECT_NEAR(treatments[0].estimate, *result.treatments[0].parameters[2].estimate, 1e-12);
}

}  // namespace
}  // namespace cpt::life
