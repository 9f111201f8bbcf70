#include "desktop_model/sorting/normality_view.h"

#include <new>
#include <optional>

#include "core/common/user_error.h"
#include "desktop_model/state/app_context.h"
#include "desktop_model/sorting/sort_and_count.h"
#include "desktop_model/sorting/state_chart.h"
#include "desktop_model/state/control_names.h"

namespace cpt {

void cmdGeneralNormalTest_Click(AppContext& context) {
    AnalysisState& state = context.state;
    ControlModel& window = context.window;
    std::optional<SortCountKind> counted;
    try {
        SortForBootstrapResults(context, counted);
    } catch (const UserError& error) {
        // A file that could not be used or written ends the click: a chart
        // question after the complaint would be about data the user did not pick.
        context.dialogs.tell(error.what(), "Sort and count general data or bootstrap results");
        return;
    } catch (const std::bad_alloc&) {
        context.dialogs.tell(OutOfMemoryMessage, "Sort and count general data or bootstrap results");
        return;
    } catch (const Cancelled&) {
        // The user stopped it at the decimal box: nothing to say, nothing to show.
        return;
    }
    // No file chosen: the click ends as quietly.
    if (!counted) return;

    if (*counted == SortCountKind::PairedTestResults) return;
    if (state.ClassTotal > MaxChartClasses) return;
    window.chart = frequencyChartOf(state);
    window[control::MSChart1].visible = true;
    window[control::MSChart2].visible = false;
    window.redraw(control::MSChart1);  // the chart stands before the question about it
    if (context.dialogs.messageBox("Do you want to see the frequency distribution?", ButtonSet::YesNo,
                                   "Frequency distribution") == AnswerYes) {
        window[control::Command2].enabled = false;
        window[control::Command3].enabled = false;
        if (*counted == SortCountKind::Bootstrap) {
            window[control::Command5].enabled = false;
            window[control::Command6].enabled = false;
        }
    }
}

}  // namespace cpt
