#pragma once
// The button "N. Sort, norm.  ": a sort-and-count, then the frequency chart
// of its class table.
#include "core/sorting/class_chart.h"

namespace cpt {

class AppContext;

void cmdGeneralNormalTest_Click(AppContext& context);

}  // namespace cpt
