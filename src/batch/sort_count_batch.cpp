#include <new>
#include <ostream>

#include "batch/answer_sheet_dialogs.h"
#include "batch/batch_outcome.h"
#include "batch/run_setup.h"
#include "core/common/decimal_parse.h"
#include "core/common/user_error.h"
#include "core/state/app_context.h"
#include "core/shell/main_window_model.h"
#include "core/sorting/data_file_reading.h"
#include "core/sorting/normality_view.h"
#include "core/sorting/sort_and_count.h"
#include "core/sorting/sort_count_files.h"

namespace cpt::batch {
namespace {

void answerQuestions(AnswerSheetDialogs& dialogs, const SortCountOptions& options) {
    const int kind = options.kind == "general" ? AnswerYes : options.kind == "boot" ? AnswerNo : AnswerCancel;
    dialogs.answerMessage("Sort and count general data or bootstrap results", kind);
    dialogs.answerMessage("Data formate", options.serialNumbers ? AnswerYes : AnswerNo);
    dialogs.answerOpenFile(absolute(options.file));
    dialogs.answerInput("Limit the decimal points?", options.decimals);
    // The two "ready" notices carry the decimal box's title.
    dialogs.acceptNotice("Limit the decimal points?");
}

nlohmann::json resultDocument(const AnalysisState& state, const std::vector<std::filesystem::path>& written) {
    nlohmann::json files = nlohmann::json::array();
    for (const auto& path : written) files.push_back(path.string());
    const bool general = state.DataKind == "General";
    return {{"kind", state.DataKind},
            {"name", general ? state.ProjectName : state.TreatmentName[1]},
            {"code", state.LastTreatmentCode},
            {"values", state.BootstrapNumber[1]},
            {"mean", state.DataMean},
            {"decimals", state.DecimalLimit},
            {"files", files}};
}

std::vector<DocumentClass> documentClasses(const AnalysisState& state) {
    std::vector<DocumentClass> classes;
    classes.reserve(static_cast<std::size_t>(state.ClassTotal));
    for (std::int32_t k = 1; k <= state.ClassTotal; ++k) classes.push_back({state.ClassValue[k], state.ClassCount[k]});
    return classes;
}

}  // namespace

BatchOutcome runSortCountBatch(const SortCountOptions& options, std::ostream& messages) {
    BatchOutcome outcome;
    outcome.status = ExitFailure;
    const std::optional<double> decimals = parseDecimalExactly(options.decimals);
    if (!decimals || *decimals < -1 || *decimals > 5) {
        messages << "--decimals takes a number from -1 to 5, not \"" << options.decimals << "\".\n";
        outcome.status = ExitUsage;
        return outcome;
    }
    std::unique_ptr<Clock> clock = makeClock(options.fixedTime, options.wording.fixedTime, messages);
    if (!clock) {
        outcome.status = ExitUsage;
        return outcome;
    }
    AnswerSheetDialogs dialogs(messages);
    answerQuestions(dialogs, options);
    AppContext context(dialogs, *clock, false);
    LoadMainWindow(context);
    try {
        SortForBootstrapResults(context);
    } catch (const UserError& error) {
        messages << error.what() << '\n';
        return outcome;
    } catch (const Cancelled&) {
        return outcome;
    } catch (const std::bad_alloc&) {
        messages << OutOfMemoryMessage << '\n';
        return outcome;
    }
    if (dialogs.failed()) return outcome;

    SortCountFileNames names = sortCountFileNames(context.state);
    outcome.written = {names.sorted, names.percentile, names.counts};
    try {
        if (options.json) {
            outcome.document = resultDocument(context.state, outcome.written);
            outcome.classes = documentClasses(context.state);
        }
        if (context.state.DataKind != ResultsKind && context.state.ClassTotal <= MaxChartClasses) {
            outcome.chart = frequencyChartOf(context.state);
        }
    } catch (const std::bad_alloc&) {
        discardWrittenFiles(outcome);
        messages << OutOfMemoryMessage << '\n' << SortCountFilesRemovedMessage << '\n';
        return outcome;
    }
    outcome.status = ExitSuccess;
    return outcome;
}

}  // namespace cpt::batch
