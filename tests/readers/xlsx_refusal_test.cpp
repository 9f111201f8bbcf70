#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <string>

#include "core/common/user_error.h"
#include "support/test_files.h"
#include "xlsx/read_treatments.h"

namespace cpt {
namespace {

// Two sheets; "Data" has treatments A (numbers) and B with a text cell at B3.
std::filesystem::path writeFixture(const std::filesystem::path& path) {
    lxw_workbook* book = workbook_new(path.c_str());
    lxw_worksheet* data = workbook_add_worksheet(book, "Data");
    workbook_add_worksheet(book, "Notes");
    worksheet_write_string(data, 0, 0, "A", nullptr);
    worksheet_write_string(data, 0, 1, "B", nullptr);
    for (lxw_row_t row = 1; row <= 3; ++row) {
        worksheet_write_number(data, row, 0, row * 0.5, nullptr);
        worksheet_write_number(data, row, 1, row * 0.25, nullptr);
    }
    worksheet_write_string(data, 2, 1, "n/a, see the notes", nullptr);
    EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
    return path;
}

TEST(XlsxReading, BadWorkbooksAreRefusedNamingTheFileAndTheCell) {
    testing::TempFolder folder;
    const auto good = writeFixture(folder.path() / "good.xlsx");
    const std::string bytes = testing::readFile(good);
    ReadOptions options;
    options.sampleSize = 10;
    options.estimates = {{"A", 1}, {"B", 2}};
    ReadOptions otherSheet = options;
    otherSheet.sheet = "Results";
    struct Case {
        std::string name, contents;
        ReadOptions options;
        std::string message;
    };
    const Case cases[] = {
        {"text.xlsx", "Maize,Sorghum\n1,2\n", options,
         "it is not an .xlsx workbook (an Excel file saved as .xlsx): it is no zip archive."},
        {"cut.xlsx", bytes.substr(0, bytes.size() / 2), options,
         "it is not an .xlsx workbook (an Excel file saved as .xlsx): it is no zip archive."},
        {"good.xlsx", bytes, options,
         "cell B3 of sheet \"Data\" (treatment \"B\") should be a bootstrap value (a number), but it holds "
         "\"n/a, see the notes\"."},
        {"good.xlsx", bytes, otherSheet,
         "it has no sheet \"Results\" (its sheets: \"Data\", \"Notes\"); name one with --sheet NAME."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        for (const bool inMemory : {false, true}) {
            const auto path = folder.write("case-" + c.name, c.contents);
            try {
                if (inMemory) {
                    readTreatments(c.contents, c.name, c.options);
                } else {
                    readTreatments(path, c.options);
                }
                ADD_FAILURE() << "no complaint";
            } catch (const UserError& error) {
                const std::string name = inMemory ? c.name : path.string();
                EXPECT_EQ(error.what(), "The file \"" + name + "\" cannot be used: " + c.message);
            }
        }
    }
}

TEST(XlsxReading, SourcesNameSheetAndColumn) {
    testing::TempFolder folder;
    ReadOptions options;
    options.sampleSize = 10;
    options.estimates = {{"A", 1}};
    // The table may start further right; columns are named by their letters.
    lxw_workbook* book = workbook_new((folder.path() / "a.xlsx").c_str());
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Sheet1");
    worksheet_write_string(sheet, 0, 2, "A", nullptr);
    worksheet_write_number(sheet, 1, 2, 0.5, nullptr);
    worksheet_write_number(sheet, 2, 2, 1.5, nullptr);
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);
    const std::vector<Treatment> treatments = readTreatments(folder.path() / "a.xlsx", options);
    ASSERT_EQ(treatments.size(), 1u);
    EXPECT_EQ(treatments[0].source, (folder.path() / "a.xlsx").string() + ", sheet \"Sheet1\", column C");
    EXPECT_EQ(treatments[0].code, "a");
    EXPECT_FALSE(treatments[0].orderingMean.has_value());
}

}  // namespace
}  // namespace cpt
