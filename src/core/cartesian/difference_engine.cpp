#include "core/cartesian/difference_engine.h"

#include <cmath>
#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/analysis/cartesian_run.h"
#include "core/analysis/cartesian_test.h"
#include "core/report/difference_files.h"
#include "core/report/difference_listing.h"
#include "core/common/number_format.h"
#include "core/common/user_error.h"
#include "core/report/ci_report.h"
#include "core/state/app_context.h"
#include "core/state/control_names.h"

namespace cpt {
namespace {

constexpr Rgb Blue{0, 0, 255};
constexpr Rgb Red{255, 0, 0};
constexpr Rgb Yellow{255, 255, 0};
constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};

void showRunStart(AppContext& context) {
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
    const DateTime now = context.clock.now();
    state.StartStamp = "Cartesian paired test began at:" + formatDateTime(now);
    state.StartTime = now;
    Control& begin = window[control::lblBootBegin];
    begin.caption = state.StartStamp;
    begin.visible = true;
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

bool listsDifferences(const AppContext& context, int i, int j) {
    const AnalysisState& state = context.state;
    return state.BootstrapNumberReal[i] * state.BootstrapNumberReal[j] <=
           static_cast<double>(context.differenceListCapacity);
}

// The figures the described procedures and the window read after a run.
void storeResult(AnalysisState& state, const CartesianResult& result) {
    for (int p = 1; p <= result.treatmentCount(); ++p) {
        const TreatmentStatistics& t = result.treatments[static_cast<std::size_t>(p - 1)];
        state.BootCount[p] = t.bootstrapNumber;
        state.BootSum[p] = t.sum;
        state.BootSumSq[p] = t.sumSquares;
        state.BootMean[p] = t.mean;
        state.BootVarianceBySums[p] = t.varianceBySums;
        state.BootVariance[p] = t.variance;
        state.BootSD[p] = t.sd;
    }
    const AnalysisOfVariance& anova = result.anova;
    state.GrandMean = anova.grandMean;
    state.SSBetween = anova.ssBetween;
    state.SSWithin = anova.ssWithin;
    state.DfBetween = anova.dfBetween;
    state.DfWithin = anova.dfWithin;
    state.TotalSampleSize = anova.totalSampleSize;
    state.FValueDefined = anova.f.has_value();
    if (anova.f) state.FValue = *anova.f;
    state.MomentsFromSums = result.momentsFromSums;
    for (const PairOutcome& pair : result.pairs) {
        const int i = pair.first + 1;
        const int j = pair.second + 1;
        const PairResult& r = pair.result;
        state.SigCount[i][j] = r.significant;
        state.InsigBelowCount[i][j] = r.below;
        state.InsigAboveCount[i][j] = r.above;
        state.InsigCount[i][j] = r.insignificant;
        state.DiffMean[i][j] = r.mean;
        state.DiffVariance[i][j] = r.variance;
        state.DiffSD[i][j] = r.sd;
        state.TLowerLimit[i][j] = r.tLower;
        state.TUpperLimit[i][j] = r.tUpper;
        state.PercentileLower[i][j] = r.percentileLower;
        state.PercentileUpper[i][j] = r.percentileUpper;
        state.PValue[i][j] = r.pValue;
        state.PValue[j][i] = r.pValue;
        state.BootMeanDiff[i][j] = pair.meanDifference;
        state.BootMeanDiff[j][i] = pair.meanDifference;
    }
}

// Difference files of a pair too large to list are refused before anything
// is written; the run goes on without them only when the user says so.
void confirmUnlistedDifferences(AppContext& context) {
    const AnalysisState& state = context.state;
    if (!state.DetailedDifferences) return;
    const std::span<const double> bootstrapNumbers(state.BootstrapNumberReal.data() + 1,
                                                   static_cast<std::size_t>(state.TreatmentCount));
    const std::string prompt = unlistedDifferencesQuestion(bootstrapNumbers, context.differenceListCapacity);
    if (prompt.empty()) return;
    if (context.dialogs.messageBox(prompt, ButtonSet::YesNo, UnlistedDifferencesTitle) != AnswerYes) throw Cancelled();
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

}  // namespace

bool pairListsDifferences(const AppContext& context, int i, int j) {
    return context.state.DetailedDifferences && listsDifferences(context, i, j);
}

void ComputeCartesianDifferences(AppContext& context) {
    AnalysisState& state = context.state;
    // Before anything can fail: the files listed are this run's, and a run
    // that stops early must not take the last run's files with it.
    state.RunDifferenceFiles.clear();
    state.DifferenceFilesBegun = false;
    if (!context.cartesianRun) throw UserError("No treatments have been read for the Cartesian paired test.");
    CartesianRun& run = *context.cartesianRun;
    run.result.reset();
    confirmUnlistedDifferences(context);
    context.trace("CartesianDifference2");
    state.DifferenceFileNumber = 1;
    showRunStart(context);

    DifferenceFileSet files(context.workingDirectory, state.OutputPrefix);
    CartesianSettings settings;
    settings.reversed = state.ReversedSort;
    settings.transformation = state.Transformation;
    settings.differences = state.DetailedDifferences ? &files : nullptr;
    settings.differenceListCapacity = context.differenceListCapacity;
    settings.progress = [&](const PairProgress& progress) { followPair(context, progress); };
    settings.threads = context.threads;
    settings.whileWaiting = context.whileRunning;
    try {
        run.result = runCartesianTest(run.treatments, settings);
    } catch (...) {
        state.DifferenceFilesBegun = files.begun();
        throw;
    }
    state.DifferenceFilesBegun = files.begun();
    for (const std::filesystem::path& path : files.written()) state.RunDifferenceFiles.push_back(path.string());
    state.DifferenceFileNumber = files.number();
    storeResult(state, *run.result);
}

void CartesianDifference2(AppContext& context) {
    AnalysisState& state = context.state;
    try {
        ComputeCartesianDifferences(context);
        PrintMultiCIofDifference(context);
    } catch (...) {
        // Difference files are part of a run's result: without its report,
        // none of them stays.
        // (A pair's own half-written files have removed themselves.)
        if (!state.DifferenceFilesBegun) throw;
        state.DifferenceFilesBegun = false;
        for (const std::string& path : state.RunDifferenceFiles) {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);
        }
        state.RunDifferenceFiles.clear();
        throw UserError(differenceFilesRemoved(std::current_exception()));
    }
}

}  // namespace cpt
