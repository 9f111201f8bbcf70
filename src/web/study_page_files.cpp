#include "web/study_page_files.h"

#include <algorithm>
#include <stdexcept>

#include "study_files/study_docx.h"

namespace cpt::web {

std::vector<std::filesystem::path> writePageStudyFiles(const StudyTable& table, const std::filesystem::path& folder,
                                                       std::span<const StudyFormat> formats, const DateTime& created) {
    std::vector<StudyFileContent> files;
    for (StudyFormat format : formats) {
        const bool seen = std::any_of(files.begin(), files.end(), [&](const auto& file) { return file.format == format; });
        if (seen) continue;
        if (format == StudyFormat::Xlsx) throw std::invalid_argument("writePageStudyFiles: no .xlsx on the page");
        if (format == StudyFormat::Docx) {
            files.push_back({format, studyTableDocx(table, created)});
        } else {
            files.push_back({format, studyTableText(table, format)});
        }
    }
    return writeStudyFileSet(folder, files);
}

}  // namespace cpt::web
