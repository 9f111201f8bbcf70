#pragma once
// The study table as a Word document: its parts (study_docx_parts.h) in a
// deflated archive.
#include <string>

#include "core/common/date_time.h"
#include "core/study/study_table.h"

namespace cpt {

// The bytes of the .docx file, its parts dated `created` (local time), so
// that the same table and moment give the same bytes. Throws UserError when
// it cannot be put together.
std::string studyTableDocx(const StudyTable& table, const DateTime& created);

}  // namespace cpt
