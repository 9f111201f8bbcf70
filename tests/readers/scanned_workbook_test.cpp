// A workbook whose parts come as texts (as the web page unpacks them), read
// with the project's own XML scanner.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/user_error.h"
#include "xlsx/scanned_parts.h"
#include "xlsx/xml_scanner.h"

namespace cpt {
namespace {

constexpr const char* Main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

xlsx::ScannedParts workbookParts(const std::string& sheetRows) {
    const std::string ns = std::string("xmlns:x=\"") + Main +
                           "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";
    xlsx::ScannedParts parts("w.xlsx");
    parts.add("xl/workbook.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<x:workbook " + ns +
                                     "><x:sheets><x:sheet name=\"Notes\" sheetId=\"1\" r:id=\"rId2\"/>"
                                     "<x:sheet name=\"R&amp;D\" sheetId=\"2\" r:id=\"rId1\"/></x:sheets></x:workbook>");
    parts.add("xl/_rels/workbook.xml.rels",
              "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
              "<Relationship Id='rId1' Target='/xl/worksheets/data.xml'/>"
              "<Relationship Id='rId2' Target='worksheets/notes.xml'/></Relationships>");
    // A rich text of two runs, with a phonetic run that is no part of it.
    parts.add("xl/sharedStrings.xml", "<x:sst " + ns +
                                          "><x:si><x:r><x:t>Ma</x:t></x:r><x:r><x:t xml:space=\"preserve\">ize "
                                          "&#x263A;</x:t></x:r><x:rPh><x:t>mei</x:t></x:rPh></x:si>"
                                          "<x:si><x:t><![CDATA[Sorghum]]></x:t></x:si></x:sst>");
    parts.add("xl/worksheets/notes.xml", "<x:worksheet " + ns + "><x:sheetData/></x:worksheet>");
    parts.add("xl/worksheets/data.xml", "<x:worksheet " + ns + "><!-- values --><x:sheetData>" + sheetRows +
                                            "</x:sheetData></x:worksheet>");
    return parts;
}

TEST(ScannedWorkbook, ReadsPrefixedPartsRichTextAndEveryCellKind) {
    xlsx::ScannedParts parts = workbookParts(
        "<x:row r=\"1\"><x:c r=\"A1\" t=\"s\"><x:v>0</x:v></x:c><x:c r=\"B1\" t=\"s\"><x:v>1</x:v></x:c>"
        "<x:c r=\"C1\" t=\"inlineStr\"><x:is><x:t>Wheat</x:t></x:is></x:c></x:row>"
        "<x:row r=\"2\"><x:c r=\"A2\"><x:v>0.30000000000000004</x:v></x:c><x:c r=\"B2\" t=\"str\">"
        "<x:f>1/4</x:f><x:v>0.25</x:v></x:c><x:c r=\"C2\"><x:v>1E-3</x:v></x:c></x:row>"
        "<x:row><x:c><x:v>2</x:v></x:c><x:c><x:v>3</x:v></x:c><x:c r=\"C3\"><x:v>4</x:v></x:c></x:row>");
    ReadOptions options;
    options.sheet = "R&D";
    options.sampleSize = 9;
    options.estimates = {{"Maize \u263A", 1}, {"Sorghum", 2}, {"Wheat", 3}};
    const std::vector<Treatment> treatments = xlsx::readWorkbook(parts, "w.xlsx", options);
    ASSERT_EQ(treatments.size(), 3u);
    EXPECT_EQ(treatments[0].name, "Maize \u263A");
    EXPECT_EQ(treatments[0].values[0], 0.30000000000000004);
    EXPECT_EQ(treatments[1].name, "Sorghum");
    EXPECT_EQ(treatments[1].values[0], 0.25);  // a formula's value
    EXPECT_EQ(treatments[2].source, "w.xlsx, sheet \"R&D\", column C");
    EXPECT_EQ(treatments[2].values[1], 4);
    EXPECT_EQ(treatments[2].code, "w");
}

TEST(ScannedWorkbook, MalformedPartsAndCellsAreRefusedNamingThePart) {
    const std::pair<std::string, std::string> cases[] = {
        {"<x:row r=\"1\"><x:c r=\"A1\" t=\"s\"><x:v>0</x:v></x:c></x:rows>",
         "its part xl/worksheets/data.xml is not well-formed XML (an end tag that closes no open element); the "
         "workbook is damaged."},
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
        xlsx::ScannedParts parts = workbookParts(rows);
        try {
            xlsx::readWorkbook(parts, "w.xlsx", options);
            ADD_FAILURE() << "no complaint";
        } catch (const UserError& error) {
            EXPECT_EQ(error.what(), "The file \"w.xlsx\" cannot be used: " + message);
        }
    }
}

// The scanner's events, joined.
class Events : public xlsx::XmlHandler {
public:
    std::string log;
    void start(std::string_view name, const char** attributes) override {
        log += "<" + std::string(name);
        for (const char** a = attributes; a[0] != nullptr; a += 2) log += " " + std::string(a[0]) + "=" + a[1];
        log += ">";
    }
    void end(std::string_view name) override { log += "</" + std::string(name) + ">"; }
    void text(std::string_view text) override { log += text; }
};

TEST(XmlScanner, GivesTheSameEventsWhereverTheChunksAreCut) {
    const std::string document =
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<a x=\"1 &lt;\r\n2\" y='&#65;&#x42;'>t&amp;u\r\nv<![CDATA[<w>]]>"
        "<!-- c --><b/></a>\n";
    const std::string expected = "<a x=1 < 2 y=AB>t&u\nv<w><b></b></a>";
    for (std::size_t cut = 0; cut <= document.size(); ++cut) {
        Events events;
        xlsx::XmlScanner scanner(events);
        scanner.feed(document.substr(0, cut));
        scanner.feed(document.substr(cut));
        scanner.finish();
        EXPECT_EQ(events.log, expected) << "cut at " << cut;
    }
}

TEST(XmlScanner, RefusesWhatIsNoDocument) {
    const char* const documents[] = {"", "<a>", "<a></b>", "<a b=1/>", "<a b='1' b='2'/>", "<a>&nbsp;</a>",
                                     "<!DOCTYPE a><a/>", "<a/><b/>", "x<a/>", "<a>&#0;</a>", "<a b='<'/>"};
    for (const char* document : documents) {
        SCOPED_TRACE(document);
        Events events;
        xlsx::XmlScanner scanner(events);
        EXPECT_THROW(
            {
                scanner.feed(document);
                scanner.finish();
            },
            xlsx::XmlError);
    }
}

}  // namespace
}  // namespace cpt
