#pragma once
// What cpt cartesian's and cpt study's documents say of one run.
#include <filesystem>

#include <nlohmann/json.hpp>

#include "core/analysis/cartesian_result.h"

namespace cpt::batch {

// The run's summary as the JSON documents give it: F (null when undefined),
// dfBetween, dfWithin, sidakAlpha and the report's path.
nlohmann::json runSummaryDocument(const CartesianResult& result, const std::filesystem::path& report);

}  // namespace cpt::batch
