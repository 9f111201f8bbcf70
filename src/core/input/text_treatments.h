#pragma once
// The treatments of one text file, whichever form it has: a described file
// (its eight heading fields, then the values) gives one treatment, a table
// (.csv, .tsv, or a first line of names) one per column or per name.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/treatment.h"
#include "core/input/read_options.h"

namespace cpt {

enum class TextForm { Described, Table };

// Which form a file has is decided by its first line: a described heading
// (eight fields or more, whole numbers in fields 3, 5 and 7, a number in
// field 8) makes a described file, whatever the name; else a name ending in
// .csv or .tsv, or a first line of two names or more, makes a table; anything
// else is read as described (and refused with the described file's
// messages). A file that is no text at all is refused for what it is (see
// core/input/treatment_format.h, whose textTreatmentFormats() these are).
TextForm textFormOf(std::string_view fileName, std::string_view firstLine);

// Throws UserError naming the file and the place of the first fault.
std::vector<Treatment> readTextTreatments(const std::filesystem::path& path, const ReadOptions& options);
// The same for a file's contents in memory; `fileName` names it.
std::vector<Treatment> readTextTreatments(std::string contents, const std::string& fileName,
                                          const ReadOptions& options);

}  // namespace cpt
