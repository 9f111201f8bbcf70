#pragma once
// The button "Q. CartesianPT": the questions of a run, then the treatment
// input, the engine and the report.
namespace cpt {

class AppContext;

// The top of a run. A cancelled question ends it quietly; a file that cannot
// be used or written ends it with a message. Either way the window is put
// back and nothing claims a result.
void cmdCartesianDifference_Click(AppContext& context);

}  // namespace cpt
