// A workbook of records gives the records its text table gives, and its
// refusals name the sheet's cell.
#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <string>
#include <vector>

#include "core/common/user_error.h"
#include "support/test_files.h"
#include "xlsx/read_treatments.h"

namespace cpt {
namespace {

using Row = std::vector<std::string>;  // a cell that reads as a number is written as one

const std::vector<Row> LongRows = {
    {"Treatment", "Individual", "Sex", "Age", "Eggs"},
    {"Maize", "a", "f", "2", "2.5"},
    {"Maize", "a", "f", "1", "0"},
    {"Maize", "7", "M", "1", "0"},
    {"Bean", "c", "", "1", "0"},
};

void writeWorkbook(const std::filesystem::path& path, const std::vector<Row>& rows) {
    lxw_workbook* workbook = workbook_new(path.c_str());
    worksheet_write_string(workbook_add_worksheet(workbook, "Notes"), 0, 0, "see the next sheet", nullptr);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Records");
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const std::string& text = rows[r][c];
            if (text.empty()) continue;
            char* end = nullptr;
            const double number = std::strtod(text.c_str(), &end);
            const auto row = static_cast<lxw_row_t>(r);
            const auto column = static_cast<lxw_col_t>(c);
            if (r > 0 && *end == '\0') {
                worksheet_write_number(sheet, row, column, number, nullptr);
            } else {
                worksheet_write_string(sheet, row, column, text.c_str(), nullptr);
            }
        }
    }
    ASSERT_EQ(workbook_close(workbook), LXW_NO_ERROR);
}

std::string csv(const std::vector<Row>& rows) {
    std::string text;
    for (const Row& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) text += (c ? "," : "") + row[c];
        text += "\n";
    }
    return text;
}

TEST(RecordsForms, AWorkbookGivesTheRecordsOfItsTextTable) {
    testing::TempFolder folder;
    const auto book = folder.path() / "records.xlsx";
    writeWorkbook(book, LongRows);
    const auto fromBook = readRecords(book, std::string("Records"));
    const auto fromText = readRecords(folder.write("records.csv", csv(LongRows)));
    ASSERT_EQ(fromBook.size(), 2U);
    ASSERT_EQ(fromBook.size(), fromText.size());
    for (std::size_t t = 0; t < fromBook.size(); ++t) {
        EXPECT_EQ(fromBook[t].name, fromText[t].name);
        ASSERT_EQ(fromBook[t].individuals.size(), fromText[t].individuals.size());
        for (std::size_t i = 0; i < fromBook[t].individuals.size(); ++i) {
            EXPECT_EQ(fromBook[t].individuals[i].name, fromText[t].individuals[i].name);
            EXPECT_EQ(fromBook[t].individuals[i].sex, fromText[t].individuals[i].sex);
            EXPECT_EQ(fromBook[t].individuals[i].eggs, fromText[t].individuals[i].eggs);
        }
    }
    EXPECT_EQ(fromBook[0].individuals[0].eggs, (std::vector<double>{0, 2.5}));
    EXPECT_EQ(fromBook[0].individuals[1].name, "7");  // a number cell names an individual as written
}

TEST(RecordsForms, AWorkbooksRefusalNamesTheCellAndTheSheet) {
    testing::TempFolder folder;
    std::vector<Row> rows = LongRows;
    rows[2][4] = "-3";
    const auto book = folder.path() / "bad.xlsx";
    writeWorkbook(book, rows);
    try {
        readRecords(book, std::string("Records"));
        ADD_FAILURE() << "negative eggs read";
    } catch (const UserError& error) {
        const std::string message = error.what();
        for (const char* part : {"bad.xlsx", "cell E3 of sheet \"Records\"", "individual \"a\""}) {
            EXPECT_NE(message.find(part), std::string::npos) << message;
        }
    }
    EXPECT_THROW(readRecords(book, std::string("Missing")), UserError);
}

}  // namespace
}  // namespace cpt
