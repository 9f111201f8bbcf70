#include "core/cartesian/difference_engine.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/cartesian/difference_files.h"
#include "core/cartesian/pair_statistics.h"
#include "core/common/number_format.h"
#include "core/common/rounding.h"
#include "core/common/user_error.h"
#include "core/report/ci_report.h"
#include "core/shell/app_context.h"

namespace cpt {
namespace {

constexpr Rgb Blue{0, 0, 255};
constexpr Rgb Red{255, 0, 0};
constexpr Rgb Yellow{255, 255, 0};
constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};
constexpr double TQuantile = 1.959964;

// Refused before anything is written: the pair tables and the difference
// files count in 32 bits, and the edition promises no more.
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
    for (int i = 1; i < state.TreatmentCount; ++i) {
        for (int j = i + 1; j <= state.TreatmentCount; ++j) {
            double products = state.BootstrapNumberReal[i] * state.BootstrapNumberReal[j];
            if (products > ValueCapacity) {
                throw UserError("Treatments " + std::to_string(i) + " (\"" + state.TreatmentFileSorted[i] + "\") and " +
                                std::to_string(j) + " (\"" + state.TreatmentFileSorted[j] + "\") have " +
                                textNumber(products) + " Cartesian differences, more than the " +
                                std::to_string(ValueCapacity) + " a pair can hold.");
            }
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
    // Constant samples can leave the sums a rounding error below 0: no variance either.
    // Constant treatments have no variance at all, whatever rounding error
    // the sums formula leaves.
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
    Control& status = window["Label2"];
    status.visible = true;
    status.foreColor = Blue;
    status.backColor = White;
    status.caption = "I am running Cartesian paired test.\nPlease wait!\nDon't touch me!";
    status.fontSize = 36;
    window.redraw("Label2");
    window["Label14"].visible = false;
    window["MSFlexGrid1"].visible = false;
    window.redraw("Frame3");
    const DateTime now = context.clock.now();
    state.StartStamp = "Cartesian paired test began at:" + formatDateTime(now);
    state.StartTime = now;
    Control& begin = window["lblBootBegin"];
    begin.caption = state.StartStamp;
    begin.visible = true;
    window.redraw("lblBootBegin");
    window["Label6"].height = 615;
    window.redraw("Label6");
    state.StatusText = status.caption;
}

std::string comparing(int i, int j) {
    return "(Comparing " + std::to_string(i) + " with " + std::to_string(j) + ")";
}

void showPairStart(AppContext& context, int i, int j) {
    Control& status = context.window["Label2"];
    status.caption = context.state.StatusText + "\n" + comparing(i, j);
    status.fontSize = 36;
    status.foreColor = status.foreColor == Red ? Blue : Red;
    context.window.redraw("Label2");
}

void showSorting(AppContext& context, int i, int j) {
    Control& status = context.window["Label2"];
    status.caption = context.state.StatusText + "\n" + comparing(i, j) + "\n(Sorting...)";
    status.fontSize = 36;
    context.window.redraw("Label2");
}

void showPairDone(AppContext& context, int i, int j) {
    Control& label = context.window["Label6"];
    label.caption = formatDateTime(context.clock.now()) + "\nTreat " + std::to_string(i) + " to treat " +
                    std::to_string(j);
    if (label.backColor == Yellow) {
        label.backColor = Red;
        label.foreColor = Yellow;
    } else if (label.backColor == Red) {
        label.backColor = Yellow;
        label.foreColor = Black;
    }
    context.window.redraw("Label6");
}

// The one loop over every difference, for the files: the verdicts are counted
// as they are written.
template <bool FirstMinusSecond>
DifferenceSums writeDifferences(DifferenceFiles& files, const double* first, std::int32_t firstCount,
                                const double* second, std::int32_t secondCount, double observedDiff,
                                DifferenceCounts& counts) {
    double sum = 0;
    double sumSquares = 0;
    std::int32_t n = 0;
    for (std::int32_t k = 0; k < firstCount; ++k) {
        const double x = first[k];
        for (std::int32_t l = 0; l < secondCount; ++l) {
            const double d = FirstMinusSecond ? x - second[l] : second[l] - x;
            ++n;
            const Verdict verdict = judgeDifference(d, 2 * observedDiff);
            if (verdict == Verdict::Significant) {
                ++counts.significant;
            } else if (verdict == Verdict::Below) {
                ++counts.below;
            } else {
                ++counts.above;
            }
            files.write(n, d, verdict == Verdict::Significant);
            sum += d;
            sumSquares += d * d;
        }
    }
    return {sum, sumSquares};
}

std::int32_t wholeRank(double position) { return toInt32(position).value_or(0); }

void comparePair(AppContext& context, DifferenceRanking& ranking, int i, int j) {
    AnalysisState& state = context.state;
    showPairStart(context, i, j);

    const double bi = state.BootstrapNumberReal[i];
    const double bj = state.BootstrapNumberReal[j];
    const std::int32_t firstCount = wholeRank(bi);
    const std::int32_t secondCount = wholeRank(bj);
    const double* first = state.BootValueWork[i].from1();
    const double* second = state.BootValueWork[j].from1();

    // Differences are always larger-mean minus smaller-mean treatment, with
    // equal means j minus i.
    const bool firstMinusSecond = state.BootMean[i] > state.BootMean[j];
    const double observedDiff =
        firstMinusSecond ? state.BootMean[i] - state.BootMean[j] : state.BootMean[j] - state.BootMean[i];
    if (firstMinusSecond) {
        ranking.assign(first, firstCount, second, secondCount);
    } else {
        ranking.assign(second, secondCount, first, firstCount);
    }

    DifferenceSums sums;
    DifferenceCounts counts;
    if (state.DetailedDifferences) {
        try {
            DifferenceFiles files(context, i, j, observedDiff);
            sums = firstMinusSecond
                       ? writeDifferences<true>(files, first, firstCount, second, secondCount, observedDiff, counts)
                       : writeDifferences<false>(files, first, firstCount, second, secondCount, observedDiff, counts);
            files.close();
        } catch (const UserError& error) {
            throw UserError(std::string(error.what()) + "\nThe difference files of treatments " + std::to_string(i) +
                            " and " + std::to_string(j) + " have been removed.");
        }
    } else {
        sums = sumDifferences(first, firstCount, second, secondCount, firstMinusSecond);
        counts = ranking.judge(observedDiff);
    }

    state.SigCount[i][j] = static_cast<std::int32_t>(counts.significant);
    state.InsigBelowCount[i][j] = static_cast<std::int32_t>(counts.below);
    state.InsigAboveCount[i][j] = static_cast<std::int32_t>(counts.above);
    state.DiffMean[i][j] = sums.sum / (bi * bj);
    state.DiffVariance[i][j] = varianceBySums(sums.sum, sums.sumSquares, bi * bj);
    // With (nearly) constant samples the sums can cancel to a rounding error
    // below 0; the spread is then none, not "not a number".
    state.DiffSD[i][j] = state.DiffVariance[i][j] > 0 ? std::sqrt(state.DiffVariance[i][j]) : 0.0;

    showSorting(context, i, j);
    // The order statistics come from the ranking, not from a sort of all
    // differences; the flow record still shows where that sort stood.
    if (!state.SortAndCountRun) context.trace("QuickSort");
    const std::int64_t total = ranking.size();
    const std::int64_t lower = std::clamp<std::int64_t>(wholeRank(bj * bi * 0.025 + 0.5), 1, total);
    const std::int64_t upper = std::clamp<std::int64_t>(wholeRank(bj * bi * 0.975 + 0.5), 1, total);
    state.PercentileLower[i][j] = ranking.smallest(lower);
    state.PercentileUpper[i][j] = ranking.smallest(upper);

    state.InsigCount[i][j] = state.InsigBelowCount[i][j] + state.InsigAboveCount[i][j];
    state.PValueWork[i][j] = state.InsigCount[i][j] / (bj * bi);
    state.PValueWork[j][i] = state.PValueWork[i][j];
    state.PValue[i][j] = state.PValueWork[i][j];
    state.PValue[j][i] = state.PValueWork[j][i];

    state.TLowerLimit[i][j] = state.DiffMean[i][j] - state.DiffSD[i][j] * TQuantile;
    state.TUpperLimit[i][j] = state.DiffSD[i][j] * TQuantile + state.DiffMean[i][j];

    showPairDone(context, i, j);
}

}  // namespace

void ComputeCartesianDifferences(AppContext& context) {
    AnalysisState& state = context.state;
    checkPairs(state);
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
    treatmentStatistics(state);
    analysisOfVariance(state);
    showRunStart(context);

    DifferenceRanking ranking;
    for (int i = 1; i < count; ++i) {
        for (int j = i + 1; j <= count; ++j) comparePair(context, ranking, i, j);
    }
}

void CartesianDifference2(AppContext& context) {
    ComputeCartesianDifferences(context);
    PrintMultiCIofDifference(context);
}

}  // namespace cpt
