#pragma once
// The one entry point of the front ends for an input file: the list of every
// format (the core's text forms and the .xlsx workbook), which picks the
// format by the file's name and first bytes and refuses, for what it is, a
// file of none of them.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/treatment.h"
#include "core/input/read_options.h"
#include "core/input/treatment_format.h"

namespace cpt {

// The core's text formats, then the .xlsx workbook read with libzip.
const TreatmentFormats& treatmentFormats();

// Throws UserError naming the file and the place of the first fault.
std::vector<Treatment> readTreatments(const std::filesystem::path& path, const ReadOptions& options);
std::vector<Treatment> readTreatments(std::string contents, const std::string& fileName, const ReadOptions& options);

}  // namespace cpt
