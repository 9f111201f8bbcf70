#pragma once
// The study table as a workbook: the sheet "Study table" as printed (letters
// as superscript text, the note below) and the sheet "Data" with the tidy
// rows, their numbers as numbers.
#include <string>

#include "core/study/study_table.h"

namespace cpt {

// The bytes of the .xlsx file. Throws UserError when it cannot be put together.
std::string studyTableXlsx(const StudyTable& table);

}  // namespace cpt
