#include "study_files/study_docx.h"

#include <vector>

#include "study_files/local_time.h"
#include "study_files/study_docx_parts.h"
#include "study_files/zip_archive.h"

namespace cpt {

std::string studyTableDocx(const StudyTable& study, const DateTime& created) {
    const std::vector<ZipEntry> entries = studyTableDocxParts(study);
    return zipArchive(entries, systemTimeOf(created), "Word document of the study table");
}

}  // namespace cpt
