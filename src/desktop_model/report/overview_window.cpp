#include "desktop_model/report/overview_window.h"

#include "core/report/significance_overview.h"
#include "desktop_model/state/app_context.h"
#include "desktop_model/state/control_names.h"

namespace cpt {

void ShowMultiCIofDifference(AppContext& context, const CartesianResult& result) {
    context.trace("ShowMultiCIofDifference");
    context.window.grid = overviewGrid(result);
    context.window.redraw(control::MSFlexGrid1);
}

}  // namespace cpt
