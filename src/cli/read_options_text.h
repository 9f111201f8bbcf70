#pragma once
// cpt's words for what a table lacks: --sample-size NAME=N or N, --estimate
// NAME=X, --parameter and --sheet, turned into the readers' options.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/treatment.h"
#include "core/input/read_options.h"

namespace cpt::cli {

// The complaint about an option that cannot be read, or nothing.
std::optional<std::string> takeReadOptions(const std::string& parameter, const std::string& sheet,
                                           const std::vector<std::string>& sampleSizes,
                                           const std::vector<std::string>& estimates, ReadOptions& options);

// Described files, text tables and workbooks.
std::vector<Treatment> readAnyTreatments(const std::filesystem::path& path, const ReadOptions& options);

}  // namespace cpt::cli
