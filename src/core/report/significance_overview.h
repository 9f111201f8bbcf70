#pragma once
// The overview grid of the main window: mean differences above the diagonal,
// P values (starred when the t interval excludes 0) below it.
#include "core/common/grid_and_chart.h"

namespace cpt {

struct CartesianResult;

GridModel overviewGrid(const CartesianResult& result);

}  // namespace cpt
