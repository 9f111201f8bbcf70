// A workbook written as other programs write theirs (prefixed names, rich
// text, CDATA, comments, absolute and relative targets), read as cpt and the
// page read every workbook: unpacked by libzip, parsed by expat.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/user_error.h"
#include "study_files/zip_archive.h"
#include "xlsx/xlsx_treatments.h"

namespace cpt {
namespace {

constexpr const char* Main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

std::string workbookBytes(const std::string& sheetRows) {
    const std::string ns = std::string("xmlns:x=\"") + Main +
                           "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";
    std::vector<ZipEntry> parts;
    parts.push_back({"xl/workbook.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<x:workbook " + ns +
                                     "><x:sheets><x:sheet name=\"Notes\" sheetId=\"1\" r:id=\"rId2\"/>"
                                     "<x:sheet name=\"R&amp;D\" sheetId=\"2\" r:id=\"rId1\"/></x:sheets></x:workbook>"});
    parts.push_back({"xl/_rels/workbook.xml.rels",
              "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
              "<Relationship Id='rId1' Target='/xl/worksheets/data.xml'/>"
              "<Relationship Id='rId2' Target='worksheets/notes.xml'/></Relationships>"});
    // A rich text of two runs, with a phonetic run that is no part of it.
    parts.push_back({"xl/sharedStrings.xml", "<x:sst " + ns +
                                          "><x:si><x:r><x:t>Ma</x:t></x:r><x:r><x:t xml:space=\"preserve\">ize "
                                          "&#x263A;</x:t></x:r><x:rPh><x:t>mei</x:t></x:rPh></x:si>"
                                          "<x:si><x:t><![CDATA[Sorghum]]></x:t></x:si></x:sst>"});
    parts.push_back({"xl/worksheets/notes.xml", "<x:worksheet " + ns + "><x:sheetData/></x:worksheet>"});
    parts.push_back({"xl/worksheets/data.xml", "<x:worksheet " + ns + "><!-- values --><x:sheetData>" + sheetRows +
                                            "</x:sheetData></x:worksheet>"});
    return zipArchive(parts, std::time_t{0}, "the test workbook");
}

TEST(PrefixedWorkbook, ReadsPrefixedPartsRichTextAndEveryCellKind) {
    const std::string bytes = workbookBytes(
        "<x:row r=\"1\"><x:c r=\"A1\" t=\"s\"><x:v>0</x:v></x:c><x:c r=\"B1\" t=\"s\"><x:v>1</x:v></x:c>"
        "<x:c r=\"C1\" t=\"inlineStr\"><x:is><x:t>Wheat</x:t></x:is></x:c></x:row>"
        "<x:row r=\"2\"><x:c r=\"A2\"><x:v>0.30000000000000004</x:v></x:c><x:c r=\"B2\" t=\"str\">"
        "<x:f>1/4</x:f><x:v>0.25</x:v></x:c><x:c r=\"C2\"><x:v>1E-3</x:v></x:c></x:row>"
        "<x:row><x:c><x:v>2</x:v></x:c><x:c><x:v>3</x:v></x:c><x:c r=\"C3\"><x:v>4</x:v></x:c></x:row>");
    ReadOptions options;
    options.sheet = "R&D";
    options.sampleSize = 9;
    options.estimates = {{"Maize \u263A", 1}, {"Sorghum", 2}, {"Wheat", 3}};
    const std::vector<Treatment> treatments = xlsx::readXlsxTreatments(bytes, "w.xlsx", options);
    ASSERT_EQ(treatments.size(), 3u);
    EXPECT_EQ(treatments[0].name, "Maize \u263A");
    EXPECT_EQ(treatments[0].values[0], 0.30000000000000004);
    EXPECT_EQ(treatments[1].name, "Sorghum");
    EXPECT_EQ(treatments[1].values[0], 0.25);  // a formula's value
    EXPECT_EQ(treatments[2].source, "w.xlsx, sheet \"R&D\", column C");
    EXPECT_EQ(treatments[2].values[1], 4);
    EXPECT_EQ(treatments[2].code, "w");
}

TEST(PrefixedWorkbook, MalformedPartsAndCellsAreRefusedNamingThePart) {
    const std::pair<std::string, std::string> cases[] = {
        {"<x:row r=\"1\"><x:c r=\"A1\" t=\"s\"><x:v>0</x:v></x:c></x:rows>",
         "its part xl/worksheets/data.xml is not well-formed XML (line 1: mismatched tag); the workbook is "
         "damaged."},
        {"<x:row r=\"1\"><x:c r=\"A1\" t=\"s\"><x:v>7</x:v></x:c></x:row>",
         "cell A1 of sheet \"R&D\" names the shared text \"7\", which the workbook lacks; the workbook is damaged."},
        {"<x:row r=\"2\"><x:c r=\"A1\"><x:v>1</x:v></x:c></x:row>",
         "sheet \"R&D\" has a cell named \"A1\" in row 2; the workbook is damaged."},
        {"<x:row r=\"1\"><x:c r=\"A1\" t=\"s\"><x:v>0</x:v></x:c></x:row><x:row r=\"2\"><x:c r=\"A2\" t=\"e\">"
         "<x:v>#DIV/0!</x:v></x:c></x:row>",
         "cell A2 of sheet \"R&D\" (treatment \"Maize \u263A\") should be a bootstrap value (a number), but it holds "
         "\"#DIV/0!\"."},
    };
    ReadOptions options;
    options.sheet = "R&D";
    for (const auto& [rows, message] : cases) {
        SCOPED_TRACE(rows);
        const std::string bytes = workbookBytes(rows);
        try {
            xlsx::readXlsxTreatments(bytes, "w.xlsx", options);
            ADD_FAILURE() << "no complaint";
        } catch (const UserError& error) {
            EXPECT_EQ(error.what(), "The file \"w.xlsx\" cannot be used: " + message);
        }
    }
}

}  // namespace
}  // namespace cpt
