#pragma once
// The treatments a batch run reads from the paths it was given.
#include <string>
#include <vector>

#include "core/analysis/treatment.h"

namespace cpt::batch {

// The treatments of one input file, in the file's order, each with its
// source set (a described bootstrap file holds one, its source the absolute
// path). Throws UserError naming the file and the place.
std::vector<Treatment> readInputFile(const std::string& path, Transformation transformation);

}  // namespace cpt::batch
