#pragma once
// The study table as a Word document: the table with its letters as
// superscript runs, rules above, below and under the heading, and the note.
#include <string>

#include "core/study/study_table.h"

namespace cpt {

// The bytes of the .docx file. Throws UserError when it cannot be put together.
std::string studyTableDocx(const StudyTable& table);

}  // namespace cpt
