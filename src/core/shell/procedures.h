#pragma once
// The two analyses the main window can start.
namespace cpt {

class AppContext;

// "Q. CartesianPT"
void RunCartesianPairedTest(AppContext& context);
// "N. Sort, norm.  "
void RunSortAndCount(AppContext& context);

}  // namespace cpt
