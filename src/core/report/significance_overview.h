#pragma once
// The overview grid of the main window: mean differences above the diagonal,
// P values (starred when the t interval excludes 0) below it.
namespace cpt {

class AppContext;

void ShowMultiCIofDifference(AppContext& context);

}  // namespace cpt
