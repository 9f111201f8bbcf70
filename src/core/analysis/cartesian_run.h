#pragma once
// A run of the window's flow: the treatments as read, in entry order, and the
// result once the test is done. The figures and the report read both.
#include <optional>
#include <vector>

#include "core/analysis/cartesian_result.h"
#include "core/analysis/treatment.h"

namespace cpt {

struct CartesianRun {
    std::vector<Treatment> treatments;
    std::optional<CartesianResult> result;
};

}  // namespace cpt
