#pragma once
// The study table's files as the page offers them: the core's text formats
// and the Word document from the same parts as cpt's. No .xlsx: cpt writes
// it through libxlsxwriter, which the web build lacks.
#include <filesystem>
#include <span>
#include <vector>

#include "core/common/date_time.h"
#include "core/study/study_file_set.h"
#include "core/study/study_table.h"

namespace cpt::web {

inline constexpr StudyFormat PageStudyFormats[] = {StudyFormat::Csv, StudyFormat::Html, StudyFormat::Tex,
                                                   StudyFormat::Markdown, StudyFormat::Docx};

// As cpt's writeStudyTableFiles; throws std::invalid_argument for .xlsx.
std::vector<std::filesystem::path> writePageStudyFiles(const StudyTable& table, const std::filesystem::path& folder,
                                                       std::span<const StudyFormat> formats, const DateTime& created);

}  // namespace cpt::web
