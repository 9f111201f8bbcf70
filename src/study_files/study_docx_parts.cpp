#include "study_files/study_docx_parts.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "core/study/study_labels.h"
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

// Times New Roman at the table's size, no space between paragraphs, cells
// padded as Word's own.
std::string styles(int halfPoints) {
    const std::string size = std::to_string(halfPoints);
    return std::string(XmlDeclaration) + "<w:styles xmlns:w=\"" + WordNamespace + "\">" +
           "<w:docDefaults><w:rPrDefault><w:rPr>"
           "<w:rFonts w:ascii=\"Times New Roman\" w:hAnsi=\"Times New Roman\" w:eastAsia=\"Times New Roman\" "
           "w:cs=\"Times New Roman\"/><w:sz w:val=\"" + size + "\"/><w:szCs w:val=\"" + size +
           "\"/><w:lang w:val=\"en-GB\"/>"
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

// A hyphen is Word's non-breaking one: neither a name as "Maize-2" nor a
// value as "-0.012" may break after it.
std::string cellRun(const std::string& text, std::string_view properties = "") {
    const std::string rPr = properties.empty() ? "" : "<w:rPr>" + std::string(properties) + "</w:rPr>";
    std::string content;
    std::size_t start = 0;
    for (std::size_t hyphen; (hyphen = text.find('-', start)) != std::string::npos; start = hyphen + 1) {
        if (hyphen > start) content += "<w:t xml:space=\"preserve\">" + xmlText(text.substr(start, hyphen - start)) + "</w:t>";
        content += "<w:noBreakHyphen/>";
    }
    if (start < text.size() || content.empty()) {
        content += "<w:t xml:space=\"preserve\">" + xmlText(text.substr(start)) + "</w:t>";
    }
    return "<w:r>" + rPr + content + "</w:r>";
}

// The note's text, free to wrap as any paragraph.
std::string run(const std::string& text) {
    return "<w:r><w:t xml:space=\"preserve\">" + xmlText(text) + "</w:t></w:r>";
}

std::string border(std::string_view side, int eighthsOfAPoint) {
    return "<w:" + std::string(side) + " w:val=\"single\" w:sz=\"" + std::to_string(eighthsOfAPoint) +
           "\" w:space=\"0\" w:color=\"000000\"/>";
}

// A heading may wrap between its words; a value never.
enum class Wrap { Never, BetweenWords };

std::string cell(int width, std::string_view align, const std::string& runs, std::string_view bottomBorder = "",
                 Wrap wrap = Wrap::Never) {
    std::string borders = bottomBorder.empty() ? "" : "<w:tcBorders>" + std::string(bottomBorder) + "</w:tcBorders>";
    return "<w:tc><w:tcPr><w:tcW w:w=\"" + std::to_string(width) + "\" w:type=\"dxa\"/>" + borders +
           (wrap == Wrap::Never ? "<w:noWrap/>" : "") + "</w:tcPr><w:p><w:pPr><w:spacing w:before=\"40\" w:after=\"40\"/><w:jc w:val=\"" +
           std::string(align) + "\"/></w:pPr>" + runs + "</w:p></w:tc>";
}

// Widths in ems of DejaVu Serif, the face LibreOffice puts in place of Times
// New Roman where that is missing, and wider than it in every character: a
// column wide enough for them is wide enough for Times.
double characterWidth(char32_t c) {
    if (c == ' ' || c == 0xA0 || c == '.' || c == ',' || c == ':' || c == ';') return 0.32;
    if (c >= '0' && c <= '9') return 0.64;
    if (c == 0xB1) return 0.84;  // the plus-minus sign
    if (c == 'm' || c == 'w' || c == 'M' || c == 'W' || c == '%' || c == '&' || c == '@') return 0.96;
    if (c == 'i' || c == 'j' || c == 'l' || c == 't' || c == 'f' || c == 'r' || c == 'I' || c == 'J') return 0.48;
    if (c >= 'A' && c <= 'Z') return 0.78;
    if (c >= 'a' && c <= 'z') return 0.62;
    if (c < 0x80) return 0.52;
    return 0.86;  // any other letter or sign, at the width of a wide one
}

char32_t codePointAt(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(k < text.size() ? text[k] : 0); };
    const unsigned char lead = byte(at);
    const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : 4;
    char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (std::size_t k = 1; k < length; ++k) code = (code << 6) | (byte(at + k) & 0x3F);
    at += length;
    return code;
}

// In ems of the table's size; bold a tenth wider, superscripts at 58 %.
double emWidth(std::string_view text, double factor = 1) {
    double width = 0;
    for (std::size_t at = 0; at < text.size();) width += characterWidth(codePointAt(text, at));
    return width * factor;
}
constexpr double Bold = 1.1;
constexpr double Superscript = 0.6;

// The longest word: a heading may wrap between its words, never inside one.
double longestWord(std::string_view text, double factor) {
    double widest = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        widest = std::max(widest, emWidth(text.substr(start, end - start), factor));
        start = end + 1;
    }
    return widest;
}

// Each column's content in ems: the first its longest name, the others
// their longest value with its letters, or the heading's longest word.
std::vector<double> columnEms(const StudyTable& table) {
    double parameterWidth = emWidth("Parameter", Bold);
    for (const StudyRow& row : table.rows) parameterWidth = std::max(parameterWidth, emWidth(printedLabel(row)));
    std::vector<double> widths{parameterWidth};
    for (std::size_t c = 0; c < table.treatments.size(); ++c) {
        double width = longestWord(table.treatments[c], Bold);
        for (const StudyRow& row : table.rows) {
            if (row.cells[c]) {
                width = std::max(width, emWidth(unbrokenValues(*row.cells[c])) +
                                            emWidth(row.cells[c]->letters, Superscript));
            }
        }
        widths.push_back(width);
    }
    return widths;
}

// A4 with margins of 2.5 cm, in twentieths of a point.
constexpr int ShortSide = 11906, LongSide = 16838, Margin = 1418;
constexpr int CellPadding = 2 * 108 + 60;

struct Layout {
    bool landscape = false;
    int halfPoints = 20;
    std::vector<int> widths;  // twentieths of a point
    int total() const {
        int sum = 0;
        for (int width : widths) sum += width;
        return sum;
    }
};

Layout layoutAt(const std::vector<double>& ems, bool landscape, int halfPoints) {
    Layout layout{landscape, halfPoints, {}};
    // An em of h half-points is 10 h twentieths; 3 % more for rounding.
    for (double em : ems) layout.widths.push_back(static_cast<int>(std::ceil(em * halfPoints * 10 * 1.03)) + CellPadding);
    return layout;
}

// Upright at 10, 9 or 8 pt (a journal's table sizes), then the page turned
// at 10, 9, 8 and 7 pt: the first in which the table fits the text width.
// Wider still, the largest size that fits the turned page, down to 4 pt:
// a column beyond the page's edge would be lost on paper.
Layout layoutOf(const StudyTable& table) {
    const std::vector<double> ems = columnEms(table);
    const std::pair<bool, int> steps[] = {{false, 20}, {false, 18}, {false, 16}, {true, 20},
                                          {true, 18},  {true, 16},  {true, 14}};
    for (const auto& [landscape, halfPoints] : steps) {
        Layout layout = layoutAt(ems, landscape, halfPoints);
        if (layout.total() <= (landscape ? LongSide : ShortSide) - 2 * Margin) return layout;
    }
    for (int halfPoints = 13; halfPoints > 8; --halfPoints) {
        Layout layout = layoutAt(ems, true, halfPoints);
        if (layout.total() <= LongSide - 2 * Margin) return layout;
    }
    return layoutAt(ems, true, 8);
}

std::string table(const StudyTable& study, const std::vector<int>& widths) {
    const std::string headingRule = border("bottom", 4);
    const std::string lastRule = border("bottom", 12);
    int total = 0;
    for (int width : widths) total += width;
    // Fixed: the widths are the content's, so no reader narrows a column.
    std::string xml = "<w:tbl><w:tblPr><w:tblW w:w=\"" + std::to_string(total) + "\" w:type=\"dxa\"/><w:tblBorders>" +
                      border("top", 12) + border("bottom", 12) + "</w:tblBorders><w:tblLayout w:type=\"fixed\"/>"
                      "</w:tblPr><w:tblGrid>";
    for (int width : widths) xml += "<w:gridCol w:w=\"" + std::to_string(width) + "\"/>";
    xml += "</w:tblGrid>";
    xml += "<w:tr><w:trPr><w:tblHeader/></w:trPr>" + cell(widths[0], "left", cellRun("Parameter", "<w:b/>"), headingRule);
    for (std::size_t c = 0; c < study.treatments.size(); ++c) {
        xml += cell(widths[c + 1], "center", cellRun(study.treatments[c], "<w:b/>"), headingRule, Wrap::BetweenWords);
    }
    xml += "</w:tr>";
    for (std::size_t r = 0; r < study.rows.size(); ++r) {
        const StudyRow& row = study.rows[r];
        const std::string_view rule = r + 1 == study.rows.size() ? std::string_view(lastRule) : "";
        xml += "<w:tr>" + cell(widths[0], "left", cellRun(printedLabel(row)), rule);
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            std::string runs;
            if (row.cells[c]) {
                runs = cellRun(unbrokenValues(*row.cells[c]));
                if (!row.cells[c]->letters.empty()) runs += cellRun(row.cells[c]->letters, "<w:vertAlign w:val=\"superscript\"/>");
            }
            xml += cell(widths[c + 1], "center", runs, rule);
        }
        xml += "</w:tr>";
    }
    return xml + "</w:tbl>";
}

std::string sectionProperties(bool landscape) {
    const std::string size = landscape ? "<w:pgSz w:w=\"" + std::to_string(LongSide) + "\" w:h=\"" +
                                             std::to_string(ShortSide) + "\" w:orient=\"landscape\"/>"
                                       : "<w:pgSz w:w=\"" + std::to_string(ShortSide) + "\" w:h=\"" +
                                             std::to_string(LongSide) + "\"/>";
    const std::string m = std::to_string(Margin);
    return "<w:sectPr>" + size + "<w:pgMar w:top=\"" + m + "\" w:right=\"" + m + "\" w:bottom=\"" + m +
           "\" w:left=\"" + m + "\" w:header=\"709\" w:footer=\"709\" w:gutter=\"0\"/></w:sectPr>";
}

std::string document(const StudyTable& study, const Layout& layout) {
    std::string xml = std::string(XmlDeclaration) + "<w:document xmlns:w=\"" + WordNamespace + "\"><w:body>" +
                      table(study, layout.widths);
    for (const std::string& line : study.note) {
        xml += "<w:p><w:pPr><w:spacing w:before=\"120\"/></w:pPr>" + run(line) +
               "</w:p>";
    }
    return xml + sectionProperties(layout.landscape) + "</w:body></w:document>";
}

}  // namespace

std::vector<ZipEntry> studyTableDocxParts(const StudyTable& study) {
    const Layout layout = layoutOf(study);
    return {
        {"[Content_Types].xml", std::string(XmlDeclaration) + ContentTypes},
        {"_rels/.rels", std::string(XmlDeclaration) + PackageRelationships},
        {"word/document.xml", document(study, layout)},
        {"word/_rels/document.xml.rels", std::string(XmlDeclaration) + DocumentRelationships},
        {"word/styles.xml", styles(layout.halfPoints)},
    };
}

}  // namespace cpt
