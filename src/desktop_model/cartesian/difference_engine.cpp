#include "desktop_model/cartesian/difference_engine.h"

#include <cmath>
#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/analysis/cartesian_run.h"
#include "core/analysis/cartesian_engine.h"
#include "core/report/difference_listing.h"
#include "core/common/number_format.h"
#include "core/common/user_error.h"
#include "core/report/report_file.h"
#include "desktop_model/report/report_dialogue.h"
#include "core/report/reported_test.h"
#include "core/report/significance_overview.h"
#include "desktop_model/report/overview_window.h"
#include "desktop_model/state/app_context.h"
#include "desktop_model/state/control_names.h"

namespace cpt {
namespace {

constexpr Rgb Blue{0, 0, 255};
constexpr Rgb Red{255, 0, 0};
constexpr Rgb Yellow{255, 255, 0};
constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};

void showRunStart(AppContext& context, const RunBegin& begin) {
    AnalysisState& state = context.state;
    ControlModel& window = context.window;
    Control& status = window[control::Label2];
    status.visible = true;
    status.foreColor = Blue;
    status.backColor = White;
    status.caption = "I am running Cartesian paired test.\nPlease wait!\nDon't touch me!";
    status.fontSize = 36;
    window.redraw(control::Label2);
    window[control::Label14].visible = false;
    window[control::MSFlexGrid1].visible = false;
    window.redraw(control::Frame3);
    state.StartStamp = begin.stamp;
    state.StartTime = begin.moment;
    Control& shownBegin = window[control::lblBootBegin];
    shownBegin.caption = state.StartStamp;
    shownBegin.visible = true;
    window.redraw(control::lblBootBegin);
    window[control::Label6].height = 615;
    window.redraw(control::Label6);
    state.StatusText = status.caption;
}

std::string comparing(int i, int j) {
    return "(Comparing " + std::to_string(i) + " with " + std::to_string(j) + ")";
}

void showPairStart(AppContext& context, int i, int j) {
    Control& status = context.window[control::Label2];
    status.caption = context.state.StatusText + "\n" + comparing(i, j);
    status.fontSize = 36;
    status.foreColor = status.foreColor == Red ? Blue : Red;
    context.window.redraw(control::Label2);
}

void showSorting(AppContext& context, int i, int j) {
    Control& status = context.window[control::Label2];
    status.caption = context.state.StatusText + "\n" + comparing(i, j) + "\n(Sorting...)";
    status.fontSize = 36;
    context.window.redraw(control::Label2);
}

void showPairDone(AppContext& context, int i, int j) {
    Control& label = context.window[control::Label6];
    label.caption = formatDateTime(context.clock.now()) + "\nTreat " + std::to_string(i) + " to treat " +
                    std::to_string(j);
    if (label.backColor == Yellow) {
        label.backColor = Red;
        label.foreColor = Yellow;
    } else if (label.backColor == Red) {
        label.backColor = Yellow;
        label.foreColor = Black;
    }
    context.window.redraw(control::Label6);
}

// The window follows the pairs: which is begun, which is being ranked, which
// is done.
void followPair(AppContext& context, const PairProgress& progress) {
    const int i = progress.first + 1;
    const int j = progress.second + 1;
    switch (progress.stage) {
        case PairProgress::Stage::Begun:
            context.window.pairProgress(progress.pairNumber, progress.pairCount);
            showPairStart(context, i, j);
            break;
        case PairProgress::Stage::Sorting:
            showSorting(context, i, j);
            // The order statistics come from the ranking, not from a sort of
            // all differences; the flow record still shows where that sort stood.
            if (!context.state.SortAndCountRun) context.trace("QuickSort");
            break;
        case PairProgress::Stage::Done: showPairDone(context, i, j); break;
    }
}

// The overview and the end of the run, once the report's body is written.
void showRunEnd(AppContext& context, const CartesianResult& result, const std::string& endStamp) {
    ControlModel& window = context.window;
    window[control::Command21].enabled = false;
    ShowMultiCIofDifference(context, result);
    window[control::MSFlexGrid1].visible = true;
    window[control::MSFlexGrid1].enabled = true;
    window[control::Label2].visible = false;
    window[control::lblBootEnd].caption = endStamp;
    window[control::lblBootEnd].visible = true;
}

// What the window's run is asked: the answers its flow gathered.
CartesianRequest windowRequest(const AppContext& context) {
    const AnalysisState& state = context.state;
    CartesianRequest request;
    request.reversed = state.ReversedSort;
    request.transformation = state.Transformation;
    request.threads = context.threads;
    request.differenceListCapacity = context.differenceListCapacity;
    request.folder = context.workingDirectory;
    request.differenceFiles = state.DetailedDifferences;
    request.outputPrefix = state.OutputPrefix;
    request.heading = {state.EditionLabel, state.VersionText, state.ProjectName, state.TableNumber};
    return request;
}

// The window answers the run: it asks the questions, follows the pairs and
// shows the end. reportOpened tells whether the report's file was made.
RunPorts windowPorts(AppContext& context, bool& reportOpened) {
    RunPorts ports;
    ports.clock = &context.clock;
    ports.trace = [&context](std::string_view procedure) { context.trace(procedure); };
    ports.whileWaiting = context.whileRunning;
    ports.progress = [&context](const PairProgress& progress) { followPair(context, progress); };
    ports.goOnWithoutUnlisted = [&context](const std::string& question) {
        return context.dialogs.messageBox(question, ButtonSet::YesNo, UnlistedDifferencesTitle) == AnswerYes;
    };
    ports.begun = [&context](const RunBegin& begin) {
        context.state.DifferenceFileNumber = 1;
        showRunStart(context, begin);
    };
    ports.openReport = [&context, &reportOpened](PendingFile& report, const CartesianResult&) {
        openReportFile(context, report);
        reportOpened = true;
        return context.workingDirectory / context.state.OutputFileName;
    };
    ports.reported = [&context](const CartesianResult& result, const ReportEnd& end) {
        context.state.TableNumber = end.lastTableNumber;
        showRunEnd(context, result, end.stamp);
    };
    return ports;
}

// Half a report must not stand on the disk, nor its results on the window.
void hideUnreportedResult(AppContext& context) {
    context.state.OutputFileName.clear();
    context.window[control::MSFlexGrid1].visible = false;
    context.window[control::lblBootEnd].visible = false;
}

void showReportWritten(AppContext& context) {
    context.window[control::txtDatafile].caption = "Output file is: " + context.state.OutputFileName;
    context.dialogs.beep();
    for (ControlName name : {control::cmdMultiCompCI, control::cmdMatchedLifeTable, control::FMNmatrices}) {
        context.window[name].enabled = false;
    }
}

}  // namespace

void PrintMultiCIofDifference(AppContext& context) {
    if (!context.cartesianRun || !context.cartesianRun->result) {
        throw UserError("There is no result of a Cartesian paired test to report.");
    }
    const AnalysisState& state = context.state;
    bool reportOpened = false;
    try {
        writeRunReport(*context.cartesianRun->result, windowRequest(context), windowPorts(context, reportOpened),
                       {state.StartTime, state.StartStamp});
    } catch (...) {
        if (reportOpened) hideUnreportedResult(context);
        throw;
    }
    showReportWritten(context);
}

void CartesianDifference2(AppContext& context) {
    AnalysisState& state = context.state;
    if (!context.cartesianRun) throw UserError("No treatments have been read for the Cartesian paired test.");
    CartesianRun& run = *context.cartesianRun;
    run.result.reset();
    bool reportOpened = false;
    try {
        ReportedRun done = runReportedTest(run.treatments, windowRequest(context), windowPorts(context, reportOpened));
        run.result = std::move(done.result);
        state.DifferenceFileNumber = done.differenceFileNumber;
    } catch (...) {
        if (reportOpened) hideUnreportedResult(context);
        throw;
    }
    showReportWritten(context);
}

}  // namespace cpt
