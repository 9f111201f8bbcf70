#include "study_files/study_table_files.h"

#include "study_files/study_docx.h"
#include "study_files/study_xlsx.h"

namespace cpt {

std::string studyTableBytes(const StudyTable& table, StudyFormat format, const DateTime& created) {
    switch (format) {
        case StudyFormat::Xlsx: return studyTableXlsx(table, created);
        case StudyFormat::Docx: return studyTableDocx(table, created);
        default: return studyTableText(table, format);
    }
}

std::vector<std::filesystem::path> writeStudyTableFiles(const StudyTable& table, const std::filesystem::path& folder,
                                                        std::span<const StudyFormat> formats, const DateTime& created) {
    return writeStudyFormats(table, folder, formats, created, studyTableBytes);
}

}  // namespace cpt
