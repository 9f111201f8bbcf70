#pragma once
// The study table as a workbook: the sheet "Study table" as printed (letters
// as superscript text, the note below) and the sheet "Data" with the tidy
// rows, their numbers as numbers.
#include <string>

#include "core/common/date_time.h"
#include "core/study/study_table.h"

namespace cpt {

// The bytes of the .xlsx file, its creation stamped `created` (local time),
// so that the same table and moment give the same bytes. Throws UserError
// when it cannot be put together.
std::string studyTableXlsx(const StudyTable& table, const DateTime& created);

}  // namespace cpt
