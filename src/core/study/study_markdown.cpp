#include <string_view>

#include "core/study/study_labels.h"
#include "core/study/study_text_formats.h"

namespace cpt {
namespace {

// What would end a cell or turn text into emphasis, code or a link.
std::string markdownEscaped(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        if (std::string_view("\\|*_`[]<>").find(c) != std::string_view::npos) escaped += '\\';
        escaped += c;
    }
    return escaped;
}

}  // namespace

std::string studyTableMarkdown(const StudyTable& table) {
    std::string text = "| Parameter |";
    for (const std::string& name : table.treatments) text.append(" ").append(markdownEscaped(name)).append(" |");
    text += "\r\n| :--- |";
    for (std::size_t i = 0; i < table.treatments.size(); ++i) text += " :---: |";
    text += "\r\n";
    for (const StudyRow& row : table.rows) {
        text += "| " + markdownEscaped(plainLabel(row)) + " |";
        for (const auto& cell : row.cells) {
            if (cell) text.append(" ").append(markdownEscaped(cell->text));
            text += " |";
        }
        text += "\r\n";
    }
    for (const std::string& line : table.note) text += "\r\n" + markdownEscaped(line) + "\r\n";
    return text;
}

}  // namespace cpt
