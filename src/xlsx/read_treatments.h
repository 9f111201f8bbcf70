#pragma once
// The one entry point of the front ends for an input file: an .xlsx workbook
// goes to the workbook reader, anything else to the core's text reader (a
// described file or a text table).
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/treatment.h"
#include "core/input/read_options.h"

namespace cpt {

// Throws UserError naming the file and the place of the first fault.
std::vector<Treatment> readTreatments(const std::filesystem::path& path, const ReadOptions& options);
std::vector<Treatment> readTreatments(std::string contents, const std::string& fileName, const ReadOptions& options);

}  // namespace cpt
