#include "core/cartesian/difference_engine.h"

#include <cmath>
#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/cartesian/difference_files.h"
#include "core/cartesian/difference_listing.h"
#include "core/cartesian/large_pair.h"
#include "core/cartesian/pair_calculation.h"
#include "core/cartesian/pair_statistics.h"
#include "core/input/treatment_file.h"
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

// Refused before anything is written.
void checkPairs(const AnalysisState& state) {
    for (int t = 1; t <= state.TreatmentCount; ++t) {
        // The pair loops run over BootstrapNumberReal values of BootValueWork,
        // which holds BootstrapNumber of them.
        if (state.BootstrapNumber[t] < 2 || state.BootstrapNumberReal[t] != state.BootstrapNumber[t]) {
            throw UserError("Treatment " + std::to_string(t) + " (\"" + state.TreatmentFileSorted[t] + "\") has " +
                            std::to_string(state.BootstrapNumber[t]) +
                            " bootstrap values; at least 2 are needed, and as many as its B of " +
                            textNumber(state.BootstrapNumberReal[t]) + ".");
        }
    }
}

void treatmentStatistics(AnalysisState& state) {
    for (int t = 1; t <= state.TreatmentCount; ++t) {
        const std::int32_t b = state.BootstrapNumber[t];
        state.BootValueWork[t].ensure(b);
        state.ValueWeightWork.ensure(b);
        std::int32_t count = 0;
        double sum = 0;
        double sumSquares = 0;
        for (std::int32_t k = 1; k <= b; ++k) {
            const std::int32_t weight = state.ValueWeight[k];
            const double x = state.BootValue[t][k];
            state.ValueWeightWork[k] = weight;
            state.BootValueWork[t][k] = x;
            count += weight;
            sum += weight * x;
            sumSquares += x * x * weight;
        }
        state.BootCount[t] = count;
        state.BootSum[t] = sum;
        state.BootSumSq[t] = sumSquares;
        const double mean = sum / count;
        state.BootMean[t] = mean;
        state.BootVarianceBySums[t] = varianceBySums(sum, sumSquares, count);
        double squaredDeviations = 0;
        for (std::int32_t k = 1; k <= b; ++k) {
            const double d = state.BootValueWork[t][k] - mean;
            squaredDeviations += d * d;
        }
        state.BootVariance[t] = squaredDeviations / (count - 1);
        state.BootSD[t] = std::sqrt(state.BootVariance[t]);
    }
}

bool everyTreatmentConstant(const AnalysisState& state) {
    for (int t = 1; t <= state.TreatmentCount; ++t) {
        const ValueArray<double>& values = state.BootValueWork[t];
        for (std::int32_t k = 2; k <= state.BootstrapNumber[t]; ++k) {
            if (values[k] != values[1]) return false;
        }
    }
    return true;
}

void analysisOfVariance(AnalysisState& state) {
    const int count = state.TreatmentCount;
    double sumOfMeans = 0;
    for (int t = 1; t <= count; ++t) sumOfMeans += state.BootMean[t];
    state.GrandMean = sumOfMeans / count;
    state.SSBetween = 0;
    state.SSWithin = 0;
    state.DfWithin = 0;
    state.TotalSampleSize = 0;
    for (int t = 1; t <= count; ++t) {
        const double d = state.BootMean[t] - state.GrandMean;
        state.SSBetween += state.SampleSize[t] * (d * d);
        state.SSWithin += (state.SampleSize[t] - 1) * state.BootVarianceBySums[t];
        state.DfWithin += state.SampleSize[t] - 1;
        state.TotalSampleSize += state.SampleSize[t];
    }
    state.DfBetween = count - 1;
    const double meanSquareBetween = state.SSBetween / state.DfBetween;
    const double meanSquareWithin = state.SSWithin / state.DfWithin;
    // A within-groups mean square of 0, or none at all (every sample size 1),
    // leaves F undefined; an F of an earlier run must not stand in for it.
    // Constant treatments have no variance at all, whatever rounding error
    // (even below 0) the sums formula leaves.
    if (meanSquareWithin > 0 && !everyTreatmentConstant(state) && std::isfinite(meanSquareBetween / meanSquareWithin)) {
        state.FValue = meanSquareBetween / meanSquareWithin;
        state.FValueDefined = true;
    } else {
        state.FValueDefined = false;
    }
}

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

// Difference files of a pair too large to list are refused before anything
// is written; the run goes on without them only when the user says so.
void confirmUnlistedDifferences(AppContext& context) {
    const AnalysisState& state = context.state;
    if (!state.DetailedDifferences) return;
    std::string pairs;
    for (int i = 1; i < state.TreatmentCount; ++i) {
        for (int j = i + 1; j <= state.TreatmentCount; ++j) {
            if (listsDifferences(context, i, j)) continue;
            const auto differences =
                static_cast<std::int64_t>(state.BootstrapNumberReal[i] * state.BootstrapNumberReal[j]);
            pairs += "Treatments " + std::to_string(i) + " and " + std::to_string(j) + " have " +
                     std::to_string(differences) + " Cartesian differences: their six difference files would hold " +
                     std::to_string(differenceFileLines(differences)) + " lines, " +
                     approximateSize(differenceFileBytes(differences)) + ".\n";
        }
    }
    if (pairs.empty()) return;
    const std::string prompt = "Difference files list at most " + std::to_string(context.differenceListCapacity) +
                               " differences a pair.\n" + pairs + "Go on without the difference files of these pairs?";
    if (context.dialogs.messageBox(prompt, ButtonSet::YesNo, UnlistedDifferencesTitle) != AnswerYes) throw Cancelled();
}

void comparePair(AppContext& context, std::vector<std::optional<SampleSummary>>& summaries, DifferenceRanking& ranking, int i,
                 int j) {
    AnalysisState& state = context.state;
    showPairStart(context, i, j);
    const std::span<const double> first(state.BootValueWork[i].from1(),
                                        static_cast<std::size_t>(state.BootstrapNumber[i]));
    const std::span<const double> second(state.BootValueWork[j].from1(),
                                         static_cast<std::size_t>(state.BootstrapNumber[j]));
    const PairDirection direction = directionOf(state.BootMean[i], state.BootMean[j]);

    PairResult result;
    if (!listsDifferences(context, i, j)) {
        // Each treatment is sorted and summed once, for all its large pairs.
        std::optional<SampleSummary>& firstSummary = summaries[static_cast<std::size_t>(i)];
        std::optional<SampleSummary>& secondSummary = summaries[static_cast<std::size_t>(j)];
        if (!firstSummary) firstSummary = summarise(first);
        if (!secondSummary) secondSummary = summarise(second);
        result = calculateLargePair(*firstSummary, *secondSummary, direction, ranking);
        state.MomentsFromSums = true;
    } else if (state.DetailedDifferences) {
        state.DifferenceFilesBegun = true;
        DifferenceFiles files(state, context.workingDirectory, i, j, direction.observedDiff);
        result = calculatePair(first, second, direction, &files);
        files.close();
        for (const std::filesystem::path& path : files.paths()) state.RunDifferenceFiles.push_back(path.string());
    } else {
        result = calculatePair(first, second, direction);
    }

    showSorting(context, i, j);
    // The order statistics come from the ranking, not from a sort of all
    // differences; the flow record still shows where that sort stood.
    if (!state.SortAndCountRun) context.trace("QuickSort");
    storePairResult(state, i, j, result);
    showPairDone(context, i, j);
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
    checkPairs(state);
    confirmUnlistedDifferences(context);
    context.trace("CartesianDifference2");
    const int count = state.TreatmentCount;
    for (int i = 1; i < count; ++i) {
        for (int j = i + 1; j <= count; ++j) {
            state.SigCount[i][j] = 0;
            state.InsigBelowCount[i][j] = 0;
            state.InsigAboveCount[i][j] = 0;
            state.InsigCount[i][j] = 0;
        }
    }
    state.MomentsFromSums = false;
    state.DifferenceFileNumber = 1;
    if (state.DetailedDifferences) chooseDifferenceFileNumber(state, context.workingDirectory);
    treatmentStatistics(state);
    analysisOfVariance(state);
    showRunStart(context);

    std::vector<std::optional<SampleSummary>> summaries(static_cast<std::size_t>(count + 1));
    DifferenceRanking ranking;
    const int pairs = count * (count - 1) / 2;
    int pair = 0;
    for (int i = 1; i < count; ++i) {
        for (int j = i + 1; j <= count; ++j) {
            context.window.pairProgress(++pair, pairs);
            comparePair(context, summaries, ranking, i, j);
        }
    }
}

namespace {

// Why a run stopped, for the message that adds what became of its files.
std::string reasonOf(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Cancelled&) {
        return "The test ended without a report.";
    } catch (const std::bad_alloc&) {
        return "There is not enough memory for these treatments.";
    } catch (const std::exception& error) {
        return error.what();
    }
}

}  // namespace

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
        throw UserError(reasonOf(std::current_exception()) + "\nThe difference files of this run have been removed.");
    }
}

}  // namespace cpt
