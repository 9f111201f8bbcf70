#include "core/shell/procedures.h"

#include "core/cartesian/test_dialogue.h"

namespace cpt {

void RunCartesianPairedTest(AppContext& context) { cmdCartesianDifference_Click(context); }
void RunSortAndCount(AppContext&) {}

}  // namespace cpt
