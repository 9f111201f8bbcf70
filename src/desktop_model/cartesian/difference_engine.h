#pragma once
// The window's Cartesian run: the answers its flow gathered in, through the
// one call every front end makes, with the window asking, following the
// pairs and showing the end.
namespace cpt {

class AppContext;

// The test, its report and the difference files asked for, all or nothing;
// the result stays in the context's run for the Results window.
void CartesianDifference2(AppContext& context);

// The report of the result the context's run holds, begun at the state's
// start stamp (the window's report step alone).
void PrintMultiCIofDifference(AppContext& context);

}  // namespace cpt
