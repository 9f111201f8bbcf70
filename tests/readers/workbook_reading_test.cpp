#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/common/user_error.h"
#include "xlsx/scanned_parts.h"
#include "xlsx/workbook_reading.h"

namespace cpt {
namespace {

constexpr const char* Namespaces =
    "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

// Sheets "Data" (rId1) and "Notes" (rId2), both with treatment A; the
// relationships given (none: no relationships part).
xlsx::ScannedParts twoSheets(const std::optional<std::string>& relationships) {
    xlsx::ScannedParts parts("w.xlsx");
    parts.add("xl/workbook.xml", std::string("<workbook ") + Namespaces +
                                     "><sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/>"
                                     "<sheet name=\"Notes\" sheetId=\"2\" r:id=\"rId2\"/></sheets></workbook>");
    if (relationships) {
        parts.add("xl/_rels/workbook.xml.rels",
                  "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
                      *relationships + "</Relationships>");
    }
    for (const char* sheet : {"xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml"}) {
        parts.add(sheet, std::string("<worksheet ") + Namespaces +
                             "><sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>A</t></is></c></row>"
                             "<row r=\"2\"><c r=\"A2\"><v>1</v></c></row><row r=\"3\"><c r=\"A3\"><v>2</v></c>"
                             "</row></sheetData></worksheet>");
    }
    return parts;
}

// A sheet the relationships do not place is refused as damage, whether the
// relationship is missing, names another sheet, or has no part at all; the
// sheet they do place is read.
TEST(WorkbookReading, ASheetWithoutARelationshipIsRefusedAsDamaged) {
    const std::string notes = "<Relationship Id=\"rId2\" Target=\"worksheets/sheet2.xml\"/>";
    const std::string data = "<Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/>";
    ReadOptions options;
    options.sampleSize = 10;
    options.estimates = {{"A", 1}};
    ReadOptions onNotes = options;
    onNotes.sheet = "Notes";
    const struct {
        std::optional<std::string> relationships;
        const ReadOptions& options;
        const char* sheet;
    } refused[] = {
        {notes, options, "Data"},
        {std::nullopt, options, "Data"},
        {std::string(), onNotes, "Notes"},
        {data, onNotes, "Notes"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.relationships.value_or("no part"));
        xlsx::ScannedParts parts = twoSheets(c.relationships);
        try {
            xlsx::readWorkbook(parts, "w.xlsx", c.options);
            ADD_FAILURE() << "not refused";
        } catch (const UserError& error) {
            EXPECT_EQ(std::string(error.what()), std::string("The file \"w.xlsx\" cannot be used: its workbook does "
                                                             "not say where sheet \"") +
                                                     c.sheet + "\" is; the workbook is damaged.");
        }
    }
    xlsx::ScannedParts parts = twoSheets(notes);
    const std::vector<Treatment> treatments = xlsx::readWorkbook(parts, "w.xlsx", onNotes);
    ASSERT_EQ(treatments.size(), 1u);
    EXPECT_EQ(treatments[0].source, "w.xlsx, sheet \"Notes\", column A");
}

}  // namespace
}  // namespace cpt
