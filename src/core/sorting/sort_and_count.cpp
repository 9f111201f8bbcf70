#include "core/sorting/sort_and_count.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <utility>
#include <string>

#include "core/common/numeric_answer.h"
#include "core/common/user_error.h"
#include "core/state/app_context.h"
#include "core/sorting/data_file_reading.h"
#include "core/sorting/quick_sort.h"
#include "core/sorting/sort_count_files.h"

namespace cpt {
namespace {

constexpr std::string_view KindTitle = "Sort and count general data or bootstrap results";
constexpr std::string_view KindPrompt =
    "You can use this button to sort a data file.\n"
    "Choose a general data file or a bootstrap resampling file to sort."
    "Don't choose a \"sorted\" file. It is already sorted. "
    "You don't need to sort it again.  You can use it to prepare figures.\n\n"
    "Yes: General integer data (Individual developmental duration, longevity, fecundity, etc). "
    "You will get the sorted and counted files. You will see the frequency distribution. "
    "No bootstrap technique will be used. The output files are not for paired test.\n\n"
    "No: Bootstrap results (e.g., Effec Boot-A1a). Your bootstrap results will be sorted and counted.\n\n"
    "Cancel: PBT or CPT results (e.g., file no. 24 or 25). \n\n";

constexpr std::string_view FormatTitle = "Data formate";
constexpr std::string_view FormatPrompt =
    "Are there serial numbers in your data file (Yes: i and x(i), No: x(i) only.\n"
    "Most bootstrap results are without serial numbers.\n"
    "Bootstrap results of population parameters are offered in both formats.";

// The two closing messages keep the title the decimal-limit box left in force.
constexpr std::string_view DecimalTitle = "Limit the decimal points?";
constexpr std::string_view DecimalPrompt =
    "Limit of decimal points (0, 1, 2, 3, 4, 5 and -1).\n"
    "[Enter -1 (minus 1) to use double precision.]";

std::string_view askKind(Dialogs& dialogs) {
    switch (dialogs.messageBox(KindPrompt, ButtonSet::YesNoCancel, KindTitle)) {
        case AnswerYes: return GeneralKind;
        case AnswerNo: return BootKind;
        default: return ResultsKind;  // Cancel, or the box closed
    }
}

double askDecimalLimit(Dialogs& dialogs) {
    for (;;) {
        std::optional<std::string> answer = dialogs.inputBox(DecimalPrompt, DecimalTitle, "-1");
        if (!answer) throw Cancelled();
        const double d = leadingNumber(*answer);
        if (d >= -1 && d <= 5) return d;
    }
}

void keepHeading(AnalysisState& state, const DataFileContents& contents) {
    const DataFileHeading& heading = contents.heading;
    state.LastTreatmentCode = heading.code;
    if (state.DataKind == GeneralKind) {
        state.ProjectName = heading.projectName;
    } else {
        state.TreatmentName[1] = heading.treatmentName;
        state.SampleSize[1] = heading.sampleSize;
        state.SampleSizeOrMean = heading.sampleSizeOrMean;
        state.PointEstimate[1] = heading.pointEstimate;
    }
    state.BootstrapNumber[1] = contents.valueCount;
    state.DataTotal = contents.total;
    state.DataMean = contents.mean;
}

// Row numbers go with the values as tags, so the sorted file can say where
// each value stood. Memory grows with the values, never more than twice
// over: the values move into SortValues instead of being copied, the sort
// works in its own input, and the sorted values move back into PairDiff.
void sortValues(AppContext& context, std::int32_t n) {
    AnalysisState& state = context.state;
    std::swap(state.SortValues, state.PairDiff);
    state.PairDiff.release();
    state.SortTags.ensure(n);
    const double decimals = state.DecimalLimit;
    for (std::int32_t i = 1; i <= n; ++i) {
        state.SortTags[i] = i;
        state.SortValues[i] = limitDecimals(state.SortValues[i], decimals);
    }
    state.SortCount = n;
    QuickSortConsumingInput(context);
    std::swap(state.PairDiff, state.SortedValues);
}

}  // namespace

std::string outputPrefixOf(const std::string& dataPath) {
    const std::size_t nameStart = dataPath.find_last_of('/') + 1;  // 0 without a folder
    const std::size_t dot = dataPath.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) return dataPath;
    return dataPath.substr(0, dot);
}

double limitDecimals(double value, double decimals) {
    if (decimals == -1) return value;
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    // Only a value near the Double limit can overflow here, and it has no decimals to drop.
    if (!std::isfinite(scaled)) return value;
    return std::floor(scaled + 0.5) / scale;
}

void countClasses(AnalysisState& state, std::int32_t n) {
    // The table takes as many positions as there are classes.
    std::int32_t classes = 1;
    double key = state.PairDiff[1];
    for (std::int32_t i = 2; i <= n; ++i) {
        if (!(std::fabs(state.PairDiff[i] - key) < 1e-12)) {
            ++classes;
            key = state.PairDiff[i];
        }
    }
    state.ClassValue.ensure(classes);
    state.ClassCount.ensure(classes);
    for (std::int32_t k = 1; k <= classes; ++k) state.ClassCount[k] = 0;
    std::int32_t total = 1;
    state.ClassValue[1] = state.PairDiff[1];
    state.ClassCount[1] = 1;
    for (std::int32_t i = 2; i <= n; ++i) {
        if (std::fabs(state.PairDiff[i] - state.ClassValue[total]) < 1e-12) {
            state.ClassCount[total] += 1;
        } else {
            ++total;
            state.ClassValue[total] = state.PairDiff[i];
            state.ClassCount[total] = 1;
        }
    }
    state.ClassTotal = total;
}

void SortForBootstrapResults(AppContext& context) {
    bool counted = false;
    SortForBootstrapResults(context, counted);
}

void SortForBootstrapResults(AppContext& context, bool& counted) {
    AnalysisState& state = context.state;
    Dialogs& dialogs = context.dialogs;
    counted = false;

    state.DataKind = std::string(askKind(dialogs));
    state.SerialNumbers = dialogs.messageBox(FormatPrompt, ButtonSet::YesNo, FormatTitle) == AnswerYes;
    state.SortAndCountRun = true;

    std::optional<std::string> path = dialogs.openFile(state.DataKind == GeneralKind
                                                           ? "Open a general data file to sort"
                                                           : "Open a bootstrap file to sort");
    if (!path) return;
    state.DataPath = *path;
    state.OutputPrefix = outputPrefixOf(state.DataPath);

    // Everything that can go wrong with the input is settled before the first
    // output file exists.
    const DataFileContents contents = readDataFile(state.DataPath, state.DataKind, state.SerialNumbers, state.PairDiff);
    keepHeading(state, contents);
    const std::int32_t n = contents.valueCount;
    state.DecimalLimit = askDecimalLimit(dialogs);

    sortValues(context, n);
    const SortCountFileNames names = sortCountFileNames(state);
    writeSortedAndPercentileFiles(state, n, names);
    // The row numbers are in the sorted file; the count needs the room.
    state.SortedTags.release();
    dialogs.messageBox("Bootstrap results sorted and data file ready!", ButtonSet::OkCancel, DecimalTitle);

    countClasses(state, n);
    counted = true;
    try {
        writeCountsFile(state, n, names);
    } catch (const UserError& error) {
        // The run's files stand or fall together.
        std::error_code ignored;
        std::filesystem::remove(names.sorted, ignored);
        std::filesystem::remove(names.percentile, ignored);
        throw UserError(std::string(error.what()) +
                        "\nThe sorted file and the percentile file of this sort-and-count have been removed.");
    }
    dialogs.messageBox("File of data counts is ready!", ButtonSet::OkCancel, DecimalTitle);
}

}  // namespace cpt
