#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/user_error.h"
#include "core/input/table_treatments.h"

namespace cpt {
namespace {

// A table of rows of texts, the header first, through a reader whose
// treatments hold at most 3 values.
std::vector<Treatment> readTable(const std::vector<std::vector<std::string>>& rows) {
    constexpr std::int64_t Capacity = 4;
    TableOrigin origin;
    origin.displayName = "t.csv";
    origin.defaultCode = "t";
    ReadOptions options;
    options.sampleSize = 10;
    options.estimates = {{"A", 1}, {"B", 2}};
    TableTreatments table(origin, options, Capacity);
    std::int64_t number = 1;
    for (const std::vector<std::string>& row : rows) {
        std::vector<TableCell> cells;
        for (std::size_t c = 0; c < row.size(); ++c) cells.push_back({static_cast<std::int32_t>(c + 1), row[c]});
        table.addRow(number++, cells);
    }
    return table.finish();
}

// The capacity is taken to its last value and refused one beyond, in either
// form of table, with the number a treatment can hold.
TEST(TableTreatments, ATreatmentBeyondTheCapacityIsRefusedWithTheNumberItCanHold) {
    const std::vector<std::vector<std::string>> wide{{"A", "B"}, {"1", "5"}, {"2", "6"}, {"3", "7"}};
    const std::vector<std::vector<std::string>> longForm{
        {"treatment", "value"}, {"A", "1"}, {"B", "5"}, {"A", "2"}, {"A", "3"}, {"B", "6"}};
    for (const auto& rows : {wide, longForm}) {
        const std::vector<Treatment> full = readTable(rows);
        ASSERT_EQ(full.size(), 2u);
        EXPECT_EQ(full[0].values.size(), 3u);
    }
    const struct {
        std::vector<std::vector<std::string>> rows;
        const char* message;
    } cases[] = {
        {{{"A", "B"}, {"1", "5"}, {"2", "6"}, {"3", "7"}, {"4", ""}},
         "The file \"t.csv\" cannot be used: column \"A\" holds more than the 3 values a treatment can hold."},
        {{{"treatment", "value"}, {"A", "1"}, {"B", "5"}, {"A", "2"}, {"A", "3"}, {"A", "4"}},
         "The file \"t.csv\" cannot be used: treatment \"A\" holds more than the 3 values a treatment can hold."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows.front().front());
        try {
            readTable(c.rows);
            ADD_FAILURE() << "not refused";
        } catch (const UserError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

// n = 1 is the smallest sample size; 0 and a part of one are refused.
TEST(TableTreatments, ALongTablesNColumnTakesASampleSizeOfOne) {
    const std::vector<Treatment> treatments =
        readTable({{"treatment", "n", "value"}, {"A", "1", "1"}, {"A", "1", "2"}, {"B", "2", "5"}, {"B", "2", "6"}});
    ASSERT_EQ(treatments.size(), 2u);
    EXPECT_EQ(treatments[0].sampleSize, 1);
    EXPECT_EQ(treatments[1].sampleSize, 2);
    for (const char* n : {"0", "1.5"}) {
        SCOPED_TRACE(n);
        try {
            readTable({{"treatment", "n", "value"}, {"A", n, "1"}, {"A", n, "2"}});
            ADD_FAILURE() << "not refused";
        } catch (const UserError& error) {
            EXPECT_EQ(std::string(error.what()),
                      std::string("The file \"t.csv\" cannot be used: row 2, column 2 should be the sample size n of "
                                  "treatment \"A\" (a whole number of at least 1), but it holds \"") +
                          n + "\".");
        }
    }
}

}  // namespace
}  // namespace cpt
