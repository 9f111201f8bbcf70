#pragma once
// The treatments a batch run reads from the paths it was given.
#include <string>
#include <vector>

#include "batch/batch_options.h"
#include "core/analysis/treatment.h"
#include "core/input/read_options.h"

namespace cpt::batch {

// The treatments of one input file, in the file's order, each with its
// source set (a described bootstrap file holds one, its source the absolute
// path; a table, several). The reader (none: the core's text forms) may take
// more forms. Throws UserError naming the file and the place.
std::vector<Treatment> readInputFile(const std::string& path, const ReadOptions& options = {},
                                     const TreatmentReader& reader = {});

}  // namespace cpt::batch
