#pragma once
// The study table's files as the page offers them: the core's text formats
// and the Word document from the same parts as cpt's. No .xlsx: cpt writes
// it through libxlsxwriter, which the web build lacks.
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/common/date_time.h"
#include "core/study/study_file_set.h"
#include "core/study/study_table.h"

namespace cpt::web {

// Of the list of study formats, those the page writes.
constexpr bool pageWritesStudyFormat(StudyFormat format) { return format != StudyFormat::Xlsx; }

// As cpt's studyTableBytes and writeStudyTableFiles; throw
// std::invalid_argument for .xlsx.
std::string pageStudyTableBytes(const StudyTable& table, StudyFormat format, const DateTime& created);
std::vector<std::filesystem::path> writePageStudyFiles(const StudyTable& table, const std::filesystem::path& folder,
                                                       std::span<const StudyFormat> formats, const DateTime& created);

}  // namespace cpt::web
