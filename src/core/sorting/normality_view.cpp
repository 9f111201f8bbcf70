#include "core/sorting/normality_view.h"

#include <cmath>
#include <new>

#include "core/common/user_error.h"
#include "core/state/app_context.h"
#include "core/sorting/data_file_reading.h"
#include "core/sorting/sort_and_count.h"
#include "core/state/control_names.h"

namespace cpt {
namespace {

std::string dataSetName(const AnalysisState& state) {
    // A bootstrap file's chart names its parameter too, not only the treatment.
    if (state.DataKind != GeneralKind) {
        if (state.LastTreatmentCode.empty()) return state.TreatmentName[1];
        return state.TreatmentName[1] + " (" + state.LastTreatmentCode + ")";
    }
    if (state.LastTreatmentCode.empty()) return state.ProjectName;
    if (state.ProjectName.empty()) return state.LastTreatmentCode;
    return state.ProjectName + " " + state.LastTreatmentCode;
}

}  // namespace

ChartModel frequencyChartOf(const AnalysisState& state) {
    ChartModel chart;
    chart.title = dataSetName(state);
    double n = 0;
    double sum = 0;
    for (std::int32_t k = 1; k <= state.ClassTotal; ++k) {
        chart.classValues.push_back(state.ClassValue[k]);
        chart.classCounts.push_back(state.ClassCount[k]);
        n += state.ClassCount[k];
        sum += state.ClassCount[k] * state.ClassValue[k];
    }
    if (n == 0) return chart;
    chart.mean = sum / n;
    double squares = 0;
    for (std::int32_t k = 1; k <= state.ClassTotal; ++k) {
        const double deviation = state.ClassValue[k] - chart.mean;
        squares += state.ClassCount[k] * deviation * deviation;
    }
    chart.standardDeviation = n > 1 ? std::sqrt(squares / (n - 1)) : 0.0;
    return chart;
}

void cmdGeneralNormalTest_Click(AppContext& context) {
    AnalysisState& state = context.state;
    ControlModel& window = context.window;
    bool counted = false;
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

    if (state.DataKind == ResultsKind) return;
    if (state.ClassTotal > MaxChartClasses) return;
    window.chart = frequencyChartOf(state);
    window[control::MSChart1].visible = true;
    window[control::MSChart2].visible = false;
    window.redraw(control::MSChart1);  // the chart stands before the question about it
    if (context.dialogs.messageBox("Do you want to see the frequency distribution?", ButtonSet::YesNo,
                                   "Frequency distribution") == AnswerYes) {
        window[control::Command2].enabled = false;
        window[control::Command3].enabled = false;
        if (state.DataKind == BootKind) {
            window[control::Command5].enabled = false;
            window[control::Command6].enabled = false;
        }
    }
}

}  // namespace cpt
