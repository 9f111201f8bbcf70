#include "desktop_model/sorting/sort_and_count.h"

#include <optional>
#include <span>
#include <string>
#include <utility>

#include "core/common/numeric_answer.h"
#include "core/common/user_error.h"
#include "core/sorting/sort_count_analysis.h"
#include "core/sorting/sort_count_files.h"
#include "desktop_model/state/app_context.h"

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

SortCountKind askKind(Dialogs& dialogs) {
    switch (dialogs.messageBox(KindPrompt, ButtonSet::YesNoCancel, KindTitle)) {
        case AnswerYes: return SortCountKind::General;
        case AnswerNo: return SortCountKind::Bootstrap;
        default: return SortCountKind::PairedTestResults;  // Cancel, or the box closed
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

void keepHeading(AnalysisState& state, SortCountKind kind, const DataFileContents& contents) {
    const DataFileHeading& heading = contents.heading;
    state.LastTreatmentCode = heading.code;
    if (kind == SortCountKind::General) {
        state.ProjectName = heading.projectName;
    } else {
        state.TreatmentName[1] = heading.treatmentName;
        state.SampleSize[1] = heading.sampleSize;
        state.SampleSizeOrMean = heading.sampleSizeOrMean;
        state.PointEstimate[1] = heading.pointEstimate;
    }
    state.BootstrapNumber[1] = static_cast<std::int32_t>(contents.values.size());
    state.DataTotal = contents.total;
    state.DataMean = contents.mean;
}

// The values of an earlier run give their room to this one's.
void releaseValueArrays(AnalysisState& state) {
    state.PairDiff.release();
    state.SortValues.release();
    state.SortTags.release();
    state.SortedValues.release();
    state.SortedTags.release();
}

}  // namespace

void countClasses(AnalysisState& state, std::int32_t n) {
    const std::span<const double> sorted(state.PairDiff.from1(), static_cast<std::size_t>(n));
    // The table takes as many positions as there are classes.
    const std::int32_t classes = classTotalOf(sorted);
    state.ClassValue.ensure(classes);
    state.ClassCount.ensure(classes);
    const auto size = static_cast<std::size_t>(classes);
    countClassesInto(sorted, {state.ClassValue.from1(), size}, {state.ClassCount.from1(), size});
    state.ClassTotal = classes;
}

void SortForBootstrapResults(AppContext& context) {
    std::optional<SortCountKind> counted;
    SortForBootstrapResults(context, counted);
}

void SortForBootstrapResults(AppContext& context, std::optional<SortCountKind>& counted) {
    AnalysisState& state = context.state;
    Dialogs& dialogs = context.dialogs;
    counted.reset();

    const SortCountKind kind = askKind(dialogs);
    state.DataKind = std::string(kindName(kind));
    state.SerialNumbers = dialogs.messageBox(FormatPrompt, ButtonSet::YesNo, FormatTitle) == AnswerYes;
    state.SortAndCountRun = true;

    std::optional<std::string> path = dialogs.openFile(kind == SortCountKind::General
                                                           ? "Open a general data file to sort"
                                                           : "Open a bootstrap file to sort");
    if (!path) return;
    state.DataPath = *path;
    state.OutputPrefix = outputPrefixOf(state.DataPath);

    // Everything that can go wrong with the input is settled before the first
    // output file exists.
    releaseValueArrays(state);
    DataFileContents contents = readDataFile(state.DataPath, kind, state.SerialNumbers);
    keepHeading(state, kind, contents);
    const auto n = static_cast<std::int32_t>(contents.values.size());
    state.DecimalLimit = askDecimalLimit(dialogs);
    const SortCountSummary summary = summaryOf(contents, kind, state.DecimalLimit);

    // Memory grows with the values, never more than twice over: the values
    // are the sort's work area, and the sorted ones move into PairDiff
    // before the row numbers are written and let go.
    SortedRows sorted = sortWithRowNumbers(std::move(contents.values), state.DecimalLimit);
    state.SortCount = n;
    state.PairDiff.assign(sorted.values);
    SortCountValues().swap(sorted.values);

    const SortCountFileNames names = sortCountFileNames(state.OutputPrefix, state.LastTreatmentCode, state.DecimalLimit);
    const SortCountHeadingText text{state.ProjectName, state.VersionText};
    writeSortedAndPercentileFiles(summary, text, {state.PairDiff.from1(), static_cast<std::size_t>(n)}, sorted.rows,
                                  names);
    // The row numbers are in the sorted file; the count needs the room.
    RowNumbers().swap(sorted.rows);
    dialogs.messageBox("Bootstrap results sorted and data file ready!", ButtonSet::OkCancel, DecimalTitle);

    countClasses(state, n);
    counted = kind;
    const auto classes = static_cast<std::size_t>(state.ClassTotal);
    writeCountsFile(summary, text, {state.ClassValue.from1(), classes}, {state.ClassCount.from1(), classes}, names);
    dialogs.messageBox("File of data counts is ready!", ButtonSet::OkCancel, DecimalTitle);
}

}  // namespace cpt
