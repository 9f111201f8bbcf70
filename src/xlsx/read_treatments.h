#pragma once
// The one entry point of the front ends for an input file: the list of every
// format (the core's text forms and the .xlsx workbook), which picks the
// format by the file's name and first bytes and refuses, for what it is, a
// file of none of them.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/treatment.h"
#include "core/input/read_options.h"
#include "core/input/treatment_format.h"
#include "core/life/records.h"

namespace cpt {

// The core's text formats, then the .xlsx workbook read with libzip.
const TreatmentFormats& treatmentFormats();

// Throws UserError naming the file and the place of the first fault.
std::vector<Treatment> readTreatments(const std::filesystem::path& path, const ReadOptions& options);
std::vector<Treatment> readTreatments(std::string contents, const std::string& fileName, const ReadOptions& options);

// The records of a cohort (see core/life/records.h): an .xlsx workbook's
// first sheet (or the one named), or a text table. Throws UserError naming
// the file, the row and the individual of the first fault.
std::vector<life::TreatmentRecords> readRecords(const std::filesystem::path& path,
                                                const std::optional<std::string>& sheet = std::nullopt);
std::vector<life::TreatmentRecords> readRecordsFromBytes(std::string contents, const std::string& fileName,
                                                         const std::optional<std::string>& sheet = std::nullopt);

}  // namespace cpt
