#pragma once
// The reader a front end gives for its input files. It is declared this low
// so the application context can carry it; its types belong to the analysis
// and input layers.
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
