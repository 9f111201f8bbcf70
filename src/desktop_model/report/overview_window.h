#pragma once
// The overview grid of a run on the main window.
namespace cpt {

class AppContext;
struct CartesianResult;

// The window flow's procedure: the grid of the result on the main window.
void ShowMultiCIofDifference(AppContext& context, const CartesianResult& result);

}  // namespace cpt
