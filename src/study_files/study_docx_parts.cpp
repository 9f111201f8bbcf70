#include "study_files/study_docx_parts.h"

#include <algorithm>
#include <vector>

#include "study_files/xml_text.h"

namespace cpt {
namespace {

constexpr const char* XmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
constexpr const char* WordNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

constexpr const char* ContentTypes =
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "<Override PartName=\"/word/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
    "</Types>";

constexpr const char* PackageRelationships =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"word/document.xml\"/>"
    "</Relationships>";

constexpr const char* DocumentRelationships =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/>"
    "</Relationships>";

// Times New Roman 10 pt, no space between paragraphs, cells padded as Word's own.
std::string styles() {
    return std::string(XmlDeclaration) + "<w:styles xmlns:w=\"" + WordNamespace + "\">" +
           "<w:docDefaults><w:rPrDefault><w:rPr>"
           "<w:rFonts w:ascii=\"Times New Roman\" w:hAnsi=\"Times New Roman\" w:eastAsia=\"Times New Roman\" "
           "w:cs=\"Times New Roman\"/><w:sz w:val=\"20\"/><w:szCs w:val=\"20\"/><w:lang w:val=\"en-GB\"/>"
           "</w:rPr></w:rPrDefault>"
           "<w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/></w:pPr></w:pPrDefault>"
           "</w:docDefaults>"
           "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/><w:qFormat/>"
           "</w:style>"
           "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\"><w:name w:val=\"Normal Table\"/>"
           "<w:uiPriority w:val=\"99\"/><w:semiHidden/><w:unhideWhenUsed/><w:tblPr><w:tblInd w:w=\"0\" w:type=\"dxa\"/>"
           "<w:tblCellMar><w:top w:w=\"0\" w:type=\"dxa\"/><w:left w:w=\"108\" w:type=\"dxa\"/>"
           "<w:bottom w:w=\"0\" w:type=\"dxa\"/><w:right w:w=\"108\" w:type=\"dxa\"/></w:tblCellMar></w:tblPr>"
           "</w:style>"
           "</w:styles>";
}

std::string run(const std::string& text, std::string_view properties = "") {
    const std::string rPr = properties.empty() ? "" : "<w:rPr>" + std::string(properties) + "</w:rPr>";
    return "<w:r>" + rPr + "<w:t xml:space=\"preserve\">" + xmlText(text) + "</w:t></w:r>";
}

std::string border(std::string_view side, int eighthsOfAPoint) {
    return "<w:" + std::string(side) + " w:val=\"single\" w:sz=\"" + std::to_string(eighthsOfAPoint) +
           "\" w:space=\"0\" w:color=\"000000\"/>";
}

std::string cell(int width, std::string_view align, const std::string& runs, std::string_view bottomBorder = "") {
    std::string borders = bottomBorder.empty() ? "" : "<w:tcBorders>" + std::string(bottomBorder) + "</w:tcBorders>";
    return "<w:tc><w:tcPr><w:tcW w:w=\"" + std::to_string(width) + "\" w:type=\"dxa\"/>" + borders +
           "<w:noWrap/></w:tcPr><w:p><w:pPr><w:spacing w:before=\"40\" w:after=\"40\"/><w:jc w:val=\"" +
           std::string(align) + "\"/></w:pPr>" + runs + "</w:p></w:tc>";
}

// Twentieths of a point of 10 pt Times New Roman (and of Liberation Serif,
// which has its widths): about 105 a digit or letter, half of that for a
// blank or a point; bold a little wider, superscripts smaller.
int textWidth(std::string_view text, int perCharacter = 105) {
    int width = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;  // continues a UTF-8 character
        width += c == ' ' || c == '.' || c == ',' ? perCharacter / 2 : perCharacter;
    }
    return width;
}

constexpr int CellPadding = 2 * 108 + 100;

std::vector<int> columnWidths(const StudyTable& table) {
    int parameterWidth = textWidth("Parameter", 115);
    for (const StudyRow& row : table.rows) parameterWidth = std::max(parameterWidth, textWidth(row.parameter));
    std::vector<int> widths{parameterWidth + CellPadding};
    for (std::size_t c = 0; c < table.treatments.size(); ++c) {
        int width = textWidth(table.treatments[c], 115);
        for (const StudyRow& row : table.rows) {
            if (row.cells[c]) width = std::max(width, textWidth(row.cells[c]->values) +
                                                             textWidth(row.cells[c]->letters, 70));
        }
        widths.push_back(width + CellPadding);
    }
    return widths;
}

std::string table(const StudyTable& study, const std::vector<int>& widths) {
    const std::string headingRule = border("bottom", 4);
    const std::string lastRule = border("bottom", 12);
    std::string xml = "<w:tbl><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/><w:tblBorders>" + border("top", 12) +
                      border("bottom", 12) + "</w:tblBorders><w:tblLayout w:type=\"autofit\"/>"
                      "</w:tblPr><w:tblGrid>";
    for (int width : widths) xml += "<w:gridCol w:w=\"" + std::to_string(width) + "\"/>";
    xml += "</w:tblGrid>";
    xml += "<w:tr><w:trPr><w:tblHeader/></w:trPr>" + cell(widths[0], "left", run("Parameter", "<w:b/>"), headingRule);
    for (std::size_t c = 0; c < study.treatments.size(); ++c) {
        xml += cell(widths[c + 1], "center", run(study.treatments[c], "<w:b/>"), headingRule);
    }
    xml += "</w:tr>";
    for (std::size_t r = 0; r < study.rows.size(); ++r) {
        const StudyRow& row = study.rows[r];
        const std::string_view rule = r + 1 == study.rows.size() ? std::string_view(lastRule) : "";
        xml += "<w:tr>" + cell(widths[0], "left", run(row.parameter), rule);
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            std::string runs;
            if (row.cells[c]) {
                runs = run(unbrokenValues(*row.cells[c]));
                if (!row.cells[c]->letters.empty()) runs += run(row.cells[c]->letters, "<w:vertAlign w:val=\"superscript\"/>");
            }
            xml += cell(widths[c + 1], "center", runs, rule);
        }
        xml += "</w:tr>";
    }
    return xml + "</w:tbl>";
}

// A4, 2.5 cm margins; turned when the table is wider than the upright page.
std::string sectionProperties(int tableWidth) {
    constexpr int ShortSide = 11906, LongSide = 16838, Margin = 1418;
    const bool landscape = tableWidth > ShortSide - 2 * Margin;
    const std::string size = landscape ? "<w:pgSz w:w=\"" + std::to_string(LongSide) + "\" w:h=\"" +
                                             std::to_string(ShortSide) + "\" w:orient=\"landscape\"/>"
                                       : "<w:pgSz w:w=\"" + std::to_string(ShortSide) + "\" w:h=\"" +
                                             std::to_string(LongSide) + "\"/>";
    const std::string m = std::to_string(Margin);
    return "<w:sectPr>" + size + "<w:pgMar w:top=\"" + m + "\" w:right=\"" + m + "\" w:bottom=\"" + m +
           "\" w:left=\"" + m + "\" w:header=\"709\" w:footer=\"709\" w:gutter=\"0\"/></w:sectPr>";
}

std::string document(const StudyTable& study) {
    const std::vector<int> widths = columnWidths(study);
    int tableWidth = 0;
    for (int width : widths) tableWidth += width;
    std::string xml = std::string(XmlDeclaration) + "<w:document xmlns:w=\"" + WordNamespace + "\"><w:body>" +
                      table(study, widths);
    for (const std::string& line : study.note) {
        xml += "<w:p><w:pPr><w:spacing w:before=\"120\"/></w:pPr>" + run(line) +
               "</w:p>";
    }
    return xml + sectionProperties(tableWidth) + "</w:body></w:document>";
}

}  // namespace

std::vector<ZipEntry> studyTableDocxParts(const StudyTable& study) {
    return {
        {"[Content_Types].xml", std::string(XmlDeclaration) + ContentTypes},
        {"_rels/.rels", std::string(XmlDeclaration) + PackageRelationships},
        {"word/document.xml", document(study)},
        {"word/_rels/document.xml.rels", std::string(XmlDeclaration) + DocumentRelationships},
        {"word/styles.xml", styles()},
    };
}

}  // namespace cpt
