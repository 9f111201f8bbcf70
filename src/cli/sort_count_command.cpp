#include <iostream>
#include <new>

#include "cli/command_options.h"
#include "cli/run_setup.h"
#include "core/common/decimal_parse.h"
#include "core/common/user_error.h"
#include "core/shell/main_window_model.h"
#include "core/sorting/sort_and_count.h"
#include "core/sorting/sort_count_files.h"

namespace cpt::cli {
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
    const std::int32_t n = state.BootstrapNumber[1];
    nlohmann::json classes = nlohmann::json::array();
    for (std::int32_t k = 1; k <= state.ClassTotal; ++k) {
        classes.push_back({{"value", state.ClassValue[k]}, {"count", state.ClassCount[k]}});
    }
    nlohmann::json files = nlohmann::json::array();
    for (const auto& path : written) files.push_back(path.string());
    const bool general = state.DataKind == "General";
    return {{"kind", state.DataKind},
            {"name", general ? state.ProjectName : state.TreatmentName[1]},
            {"code", state.LastTreatmentCode},
            {"values", n},
            {"mean", state.DataMean},
            {"decimals", state.DecimalLimit},
            {"classes", classes},
            {"files", files}};
}

}  // namespace

int runSortCount(const SortCountOptions& options) {
    const std::optional<double> decimals = parseDecimalExactly(options.decimals);
    if (!decimals || *decimals < -1 || *decimals > 5) {
        std::cerr << "--decimals takes a number from -1 to 5, not \"" << options.decimals << "\".\n";
        return ExitUsage;
    }
    std::unique_ptr<Clock> clock = makeClock(options.fixedTime);
    if (!clock) return ExitUsage;
    AnswerSheetDialogs dialogs;
    answerQuestions(dialogs, options);
    AppContext context(dialogs, *clock, false);
    LoadMainWindow(context);
    try {
        SortForBootstrapResults(context);
    } catch (const UserError& error) {
        std::cerr << error.what() << '\n';
        return ExitFailure;
    } catch (const Cancelled&) {
        return ExitFailure;
    } catch (const std::bad_alloc&) {
        std::cerr << OutOfMemoryMessage << '\n';
        return ExitFailure;
    }
    if (dialogs.failed()) return ExitFailure;

    SortCountFileNames names = sortCountFileNames(context.state);
    std::vector<std::filesystem::path> written{names.sorted, names.percentile, names.counts};
    if (options.json) {
        nlohmann::json document = resultDocument(context.state, written);
        printResult(written, &document);
    } else {
        printResult(written, nullptr);
    }
    return ExitSuccess;
}

}  // namespace cpt::cli
