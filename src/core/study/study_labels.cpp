#include "core/study/study_labels.h"

namespace cpt {

std::string paperLabel(std::string_view code) {
    if (code == "lambda") return "\u03BB";
    if (code == "R0") return "R\u2080";
    return std::string(code);
}

std::string printedLabel(const StudyRow& row) { return row.label.empty() ? paperLabel(row.parameter) : row.label; }
std::string plainLabel(const StudyRow& row) { return row.label.empty() ? row.parameter : row.label; }
std::string plainLabel(const StudyTidyRow& row) { return row.label.empty() ? row.parameter : row.label; }

}  // namespace cpt
