#pragma once
// The study table's files: study-table.csv, study-table.xlsx, ... in one
// folder, written together under one number so that they never replace a
// file: " (2)", " (3)", ... before the extension when a name is taken.
#include <array>
#include <filesystem>
#include <functional>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/date_time.h"
#include "core/study/study_table.h"

namespace cpt {

enum class StudyFormat { Csv, Xlsx, Html, Tex, Markdown, Docx };

// The one list of the study table's formats, in the order every front end
// offers them: the extension (also the word cpt study --format and the R
// package take) and a button's label.
struct StudyFormatEntry {
    StudyFormat format;
    std::string_view extension;
    std::string_view label;
};
inline constexpr StudyFormatEntry StudyFormats[] = {
    {StudyFormat::Csv, "csv", "CSV"},      {StudyFormat::Xlsx, "xlsx", "Excel"},
    {StudyFormat::Html, "html", "HTML"},   {StudyFormat::Tex, "tex", "LaTeX"},
    {StudyFormat::Markdown, "md", "Markdown"}, {StudyFormat::Docx, "docx", "Word"},
};

inline constexpr auto AllStudyFormats = [] {
    std::array<StudyFormat, std::size(StudyFormats)> all{};
    for (std::size_t k = 0; k < all.size(); ++k) all[k] = StudyFormats[k].format;
    return all;
}();

// "csv", "xlsx", "html", "tex", "md", "docx".
std::string_view studyFormatExtension(StudyFormat format);
std::optional<StudyFormat> studyFormatOfExtension(std::string_view extension);
// "csv", ..., "docx", or "all" for every format; in the order given.
// Throws UserError naming a word that is none of them.
std::vector<StudyFormat> studyFormatsNamed(std::span<const std::string> names);
// The extensions in the list's order, `last` before the last one:
// "csv, xlsx, html, tex, md or docx".
std::string studyFormatWords(std::string_view last);

// The bytes of the table's file in a format, the office files stamped
// `created`. Each front end has one (the core writes only the text formats).
using StudyTableBytes = std::function<std::string(const StudyTable& table, StudyFormat format,
                                                  const DateTime& created)>;

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

// Writes study-table.EXT for each format (a format named twice is written
// once) through `bytesOf`, as one set (above), and returns the paths in the
// order of the formats.
std::vector<std::filesystem::path> writeStudyFormats(const StudyTable& table, const std::filesystem::path& folder,
                                                     std::span<const StudyFormat> formats, const DateTime& created,
                                                     const StudyTableBytes& bytesOf);

}  // namespace cpt
