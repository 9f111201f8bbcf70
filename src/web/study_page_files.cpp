#include "web/study_page_files.h"

#include <stdexcept>

#include "study_files/study_docx_parts.h"
#include "web/stored_zip.h"

namespace cpt::web {

std::string pageStudyTableBytes(const StudyTable& table, StudyFormat format, const DateTime& created) {
    switch (format) {
        case StudyFormat::Xlsx: throw std::invalid_argument("pageStudyTableBytes: no .xlsx on the page");
        case StudyFormat::Docx: return storedZip(studyTableDocxParts(table), created);
        default: return studyTableText(table, format);
    }
}

std::vector<std::filesystem::path> writePageStudyFiles(const StudyTable& table, const std::filesystem::path& folder,
                                                       std::span<const StudyFormat> formats, const DateTime& created) {
    return writeStudyFormats(table, folder, formats, created, pageStudyTableBytes);
}

}  // namespace cpt::web
