#pragma once
// The overview grid of the main window: mean differences above the diagonal,
// P values (starred when the t interval excludes 0) below it.
#include "core/common/control_model.h"

namespace cpt {

class AppContext;
struct CartesianResult;

GridModel overviewGrid(const CartesianResult& result);

// The window flow's procedure: the grid of the result on the main window.
void ShowMultiCIofDifference(AppContext& context, const CartesianResult& result);

}  // namespace cpt
