#include "study_files/study_table_files.h"

#include <algorithm>

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
    return writeStudyFiles(table, folder, formats, created, {});
}

std::vector<std::filesystem::path> writeStudyFiles(const StudyTable& table, const std::filesystem::path& folder,
                                                   std::span<const StudyFormat> formats, const DateTime& created,
                                                   std::vector<StudyFileContent> others) {
    std::vector<StudyFileContent> files;
    for (StudyFormat format : formats) {
        const bool seen = std::any_of(files.begin(), files.end(), [&](const auto& file) { return file.format == format; });
        if (!seen) files.push_back({format, studyTableBytes(table, format, created)});
    }
    for (StudyFileContent& other : others) files.push_back(std::move(other));
    return writeStudyFileSet(folder, files);
}

}  // namespace cpt
