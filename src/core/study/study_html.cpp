#include <string_view>

#include "core/study/study_labels.h"
#include "core/study/study_text_formats.h"

namespace cpt {
namespace {

std::string htmlEscaped(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

// Rules as in a printed table: a heavy line above and below, a thin one
// under the heading.
constexpr std::string_view CellStyle = "padding: 2pt 8pt; white-space: nowrap; vertical-align: baseline;";
constexpr std::string_view HeadingStyle = "border-top: 1.5pt solid black; border-bottom: 0.75pt solid black;";
constexpr std::string_view LastRowStyle = "border-bottom: 1.5pt solid black;";

std::string cellTag(std::string_view tag, std::string_view align, std::string_view rule, const std::string& content) {
    std::string element = "<";
    element.append(tag).append(" style=\"").append(CellStyle).append(" text-align: ").append(align).append(";");
    if (!rule.empty()) element.append(" ").append(rule);
    return element.append("\">").append(content).append("</").append(tag).append(">");
}

}  // namespace

std::string studyTableHtml(const StudyTable& table) {
    std::string page =
        "<!DOCTYPE html>\r\n<html lang=\"en\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
        "<title>Study table</title>\r\n</head>\r\n<body>\r\n"
        "<table style=\"border-collapse: collapse; font-family: 'Times New Roman', Times, serif; font-size: 11pt;\">\r\n"
        "<thead>\r\n<tr>";
    page += cellTag("th", "left", HeadingStyle, "Parameter");
    for (const std::string& name : table.treatments) page += cellTag("th", "center", HeadingStyle, htmlEscaped(name));
    page += "</tr>\r\n</thead>\r\n<tbody>\r\n";
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const StudyRow& row = table.rows[r];
        const std::string_view rule = r + 1 == table.rows.size() ? LastRowStyle : "";
        page += "<tr>" + cellTag("td", "left", rule, htmlEscaped(printedLabel(row)));
        for (const auto& cell : row.cells) {
            std::string content;
            if (cell) {
                content = htmlEscaped(unbrokenValues(*cell));
                if (!cell->letters.empty()) content += "<sup>" + htmlEscaped(cell->letters) + "</sup>";
            }
            page += cellTag("td", "center", rule, content);
        }
        page += "</tr>\r\n";
    }
    page += "</tbody>\r\n</table>\r\n";
    for (const std::string& line : table.note) {
        page += "<p style=\"font-family: 'Times New Roman', Times, serif; font-size: 10pt;\">" + htmlEscaped(line) +
                "</p>\r\n";
    }
    page += "</body>\r\n</html>\r\n";
    return page;
}

}  // namespace cpt
