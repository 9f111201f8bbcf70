#include "desktop_model/cartesian/test_dialogue.h"

#include <exception>
#include <new>
#include <string>

#include "desktop_model/cartesian/difference_engine.h"
#include "desktop_model/cartesian/treatment_input.h"
#include "core/common/number_format.h"
#include "core/common/user_error.h"
#include "desktop_model/state/app_context.h"
#include "desktop_model/state/button_states.h"
#include "desktop_model/state/control_names.h"

namespace cpt {
namespace {

constexpr std::string_view StoppedTitle = "Cartesian paired test stopped";

bool askYes(AppContext& context, const std::string& prompt, std::string_view title) {
    int answer = context.dialogs.messageBox(prompt, ButtonSet::YesNo, title);
    if (answer == AnswerCancel) throw Cancelled();  // the box was closed
    return answer == AnswerYes;
}

void openFlowRecord(AppContext& context) {
    AnalysisState& state = context.state;
    state.FlowRecord = false;
    state.FlowFileName = state.OutputPrefix + "_0_Flow.txt";
    const std::filesystem::path path = context.outputPath(state.FlowFileName);
    // A record still open from an earlier run goes on in the same file.
    if (!context.flowFile.isOpen() || context.flowFile.path() != path) {
        if (context.flowFile.isOpen()) context.flowFile.close();
        context.flowFile.open(path);
    }
    state.FlowRecord = true;
}

void askRunQuestions(AppContext& context) {
    AnalysisState& state = context.state;
    if (state.MaintainerMode) {
        const std::string detailPrompt =
            "Do you need the detailed info?\n"
            "In general you can choose \"No\". If you choose \"Yes\", there will be many huge files.\n\n"
            "Attention: this is only for results of B =" +
            textNumber(state.MaxBootstrapNumber) + ", and CPT =" + textNumber(state.MaxCartesianProducts);
        // The answer holds for this run only: a later Yes brings the
        // detailed-differences question back.
        state.DetailInfoDeclined = !askYes(context, detailPrompt, "Do you need detailed info?");
        if (state.DetailInfoDeclined) {
            state.FlowRecord = false;
        } else if (askYes(context, "Do you need the record of program flow?", "Do you need flow record?")) {
            openFlowRecord(context);
        } else {
            state.FlowRecord = false;
        }
    }
    if (state.DetailInfoDeclined) {
        state.DetailedDifferences = false;
    } else {
        state.DetailedDifferences = askYes(
            context,
            "Do you need detailed differences between treatments and normal density curves?\n"
            "   This option is useful to teachers to show the normal curve.\n"
            "   If you are comparing more treatments, there will be many files.\n\n"
            "Yes: Write detailed differences between treatments and normal density curves.\n"
            "No: Don't write detailed differences between treatments.\n",
            "Detailed differences");
    }
    state.ReversedSort = askYes(context, "Do you want to do reversed sort?", "Reversed sort");
}

// A new run must never show an earlier run's result as if it were its own,
// whether it ends with a report or not.
void clearEarlierResult(AppContext& context) {
    ControlModel& window = context.window;
    window[control::lblBootEnd].caption.clear();
    window[control::lblBootEnd].visible = false;
    window[control::txtDatafile].caption.clear();
    window[control::MSFlexGrid1].visible = false;
    window.grid.resize(0, 0);
    window[control::MSChart1].visible = false;
    context.state.OutputFileName.clear();
}

// Whatever the run got to, the window must not look as if it were still
// running or had finished.
void restoreWindow(AppContext& context) {
    ControlModel& window = context.window;
    window[control::Label2].visible = false;
    window[control::lblBootBegin].visible = false;
    window[control::Label14].visible = true;
    DisableAllButtonsForCartesian(context);
    window.redraw(control::Label2);
    window.redraw(control::Frame3);
}

void stopRun(AppContext& context, const std::string& message) {
    restoreWindow(context);
    if (!message.empty()) context.dialogs.messageBox(message, ButtonSet::OkOnly, StoppedTitle);
}

}  // namespace

void cmdCartesianDifference_Click(AppContext& context) {
    DisableAllButtonsForCartesian(context);
    clearEarlierResult(context);
    ControlModel& window = context.window;
    window[control::Image1].visible = false;
    window[control::Label4].visible = true;
    window[control::Label14].visible = true;
    context.state.CartesianRun = true;
    try {
        askRunQuestions(context);
        CartesianDifference(context);
        CartesianDifference2(context);
    } catch (const Cancelled&) {
        stopRun(context, {});
    } catch (const UserError& error) {
        stopRun(context, error.what());
    } catch (const std::bad_alloc&) {
        stopRun(context, "The Cartesian paired test stopped: there is not enough memory for these treatments.");
    } catch (const std::exception& error) {
        stopRun(context, std::string("The Cartesian paired test stopped: ") + error.what());
    }
}

}  // namespace cpt
