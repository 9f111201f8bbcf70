#pragma once
// The reader a front end gives for its input files.
#include <filesystem>
#include <functional>
#include <vector>

namespace cpt {

struct Treatment;
struct ReadOptions;

// The treatments of one input file, in the file's order. Throws UserError
// naming the file and the place of the first fault.
using TreatmentReader = std::function<std::vector<Treatment>(const std::filesystem::path&, const ReadOptions&)>;

}  // namespace cpt
