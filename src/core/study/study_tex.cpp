#include <string_view>

#include "core/study/study_labels.h"
#include "core/study/study_text_formats.h"

namespace cpt {
namespace {

constexpr std::string_view PlusMinus = "\u00B1";

std::string texEscaped(std::string_view text) {
    std::string escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i).starts_with(PlusMinus)) {
            escaped += "$\\pm$";
            i += PlusMinus.size() - 1;
            continue;
        }
        switch (const char c = text[i]) {
            case '&': case '%': case '$': case '#': case '_': case '{': case '}':
                escaped += '\\';
                escaped += c;
                break;
            case '~': escaped += "\\textasciitilde{}"; break;
            case '^': escaped += "\\textasciicircum{}"; break;
            case '\\': escaped += "\\textbackslash{}"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

// A minus sign, not a hyphen.
std::string texNumber(const std::string& number) {
    return number.starts_with('-') ? "$-$" + number.substr(1) : number;
}

std::string texCell(const StudyCell& cell) {
    std::string text = texNumber(cell.estimateText) + " $\\pm$ " + texNumber(cell.errorText);
    if (!cell.letters.empty()) text += "\\textsuperscript{" + texEscaped(cell.letters) + "}";
    return text;
}

// The well-known codes in math mode; a given label as text.
std::string texLabel(const StudyRow& row) {
    if (row.label.empty() && row.parameter == "lambda") return "$\\lambda$";
    if (row.label.empty() && row.parameter == "R0") return "$R_0$";
    return texEscaped(plainLabel(row));
}

}  // namespace

std::string studyTableTex(const StudyTable& table) {
    std::string tex = "% Needs \\usepackage{booktabs}.\r\n\\begin{tabular}{l" +
                      std::string(table.treatments.size(), 'c') + "}\r\n\\toprule\r\nParameter";
    for (const std::string& name : table.treatments) tex += " & " + texEscaped(name);
    tex += " \\\\\r\n\\midrule\r\n";
    for (const StudyRow& row : table.rows) {
        tex += texLabel(row);
        for (const auto& cell : row.cells) tex += " & " + (cell ? texCell(*cell) : std::string());
        tex += " \\\\\r\n";
    }
    tex += "\\bottomrule\r\n\\end{tabular}\r\n";
    for (const std::string& line : table.note) tex += "\r\n" + texEscaped(line) + "\r\n";
    return tex;
}

}  // namespace cpt
