#pragma once
// The study table's files: study-table.csv, study-table.xlsx, ... in one
// folder, written together under one number so that they never replace a
// file: " (2)", " (3)", ... before the extension when a name is taken.
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/study/study_table.h"

namespace cpt {

enum class StudyFormat { Csv, Xlsx, Html, Tex, Markdown, Docx };

inline constexpr StudyFormat AllStudyFormats[] = {StudyFormat::Csv, StudyFormat::Xlsx,     StudyFormat::Html,
                                                  StudyFormat::Tex, StudyFormat::Markdown, StudyFormat::Docx};

// "csv", "xlsx", "html", "tex", "md", "docx".
std::string_view studyFormatExtension(StudyFormat format);
std::optional<StudyFormat> studyFormatOfExtension(std::string_view extension);

// "study-table.csv" for number 1, "study-table (2).csv" for 2.
std::string studyFileName(StudyFormat format, int number);

// The four formats the core writes itself (not xlsx or docx: they throw
// std::invalid_argument).
std::string studyTableText(const StudyTable& table, StudyFormat format);

struct StudyFileContent {
    StudyFormat format;
    std::string bytes;
    // Another file of the set, as "study-figure.svg", numbered as the
    // table's files are (the format then does not count); empty: the
    // table's file of the format.
    std::string name = {};
};

// "study-figure.svg" for number 1, "study-figure (2).svg" for 2.
std::string studyOtherFileName(std::string_view name, int number);

// Creates every file under the smallest number whose names are all free,
// writes and closes them all, and only then keeps them: a failure leaves
// none of them. Returns the paths in the order given; throws UserError
// naming the file that failed or when no number up to MaxNameNumber is free.
std::vector<std::filesystem::path> writeStudyFileSet(const std::filesystem::path& folder,
                                                     std::span<const StudyFileContent> files);

}  // namespace cpt
