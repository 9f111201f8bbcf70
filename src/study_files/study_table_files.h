#pragma once
// Every format of the study table (core/study/study_file_set.h), its bytes
// and written as one set into a folder.
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/common/date_time.h"
#include "core/study/study_file_set.h"
#include "core/study/study_table.h"

namespace cpt {

// The file of the table in any format of the list; the office files are
// stamped `created`.
std::string studyTableBytes(const StudyTable& table, StudyFormat format, const DateTime& created);

// Writes study-table.EXT for each format (a format named twice is written
// once) under the first number free for all of them, and returns the paths
// in the order of the formats. A failure throws UserError and leaves none of
// the set. The office files are stamped `created`.
std::vector<std::filesystem::path> writeStudyTableFiles(const StudyTable& table, const std::filesystem::path& folder,
                                                        std::span<const StudyFormat> formats, const DateTime& created);
// The same with other files of the set after the table's (the study figure),
// numbered with them and standing or falling with them.
std::vector<std::filesystem::path> writeStudyFiles(const StudyTable& table, const std::filesystem::path& folder,
                                                        std::span<const StudyFormat> formats, const DateTime& created,
                                                        std::vector<StudyFileContent> others);

}  // namespace cpt
