#pragma once
// Row names as a paper prints them: the codes of the well-known parameters
// in their mathematical form, or the label the user gave.
#include <string>
#include <string_view>

#include "core/study/study_table.h"

namespace cpt {

// "λ" for lambda, "R₀" for R0; any other code as it is.
std::string paperLabel(std::string_view code);

// For html, docx, xlsx and the figure: the given label, else paperLabel.
std::string printedLabel(const StudyRow& row);
// For csv and md: the given label, else the code.
std::string plainLabel(const StudyRow& row);
std::string plainLabel(const StudyTidyRow& row);

}  // namespace cpt
