#pragma once
// The parts of the study table's Word document, before any archive holds
// them: the table with its letters as superscript runs, rules above, below
// and under the heading, and the note. No library is needed here, so the web
// page puts them into an archive of its own.
#include <vector>

#include "core/study/study_table.h"
#include "study_files/zip_entry.h"

namespace cpt {

// In the order the archive keeps them.
std::vector<ZipEntry> studyTableDocxParts(const StudyTable& table);

}  // namespace cpt
