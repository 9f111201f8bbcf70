#include "core/shell/procedures.h"

#include "core/cartesian/test_dialogue.h"
#include "core/sorting/normality_view.h"

namespace cpt {

void RunCartesianPairedTest(AppContext& context) { cmdCartesianDifference_Click(context); }
void RunSortAndCount(AppContext& context) { cmdGeneralNormalTest_Click(context); }

}  // namespace cpt
