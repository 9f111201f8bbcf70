#include <string>

#include "batch/answer_sheet_dialogs.h"
#include "batch/batch_outcome.h"
#include "batch/run_setup.h"
#include "core/cartesian/difference_engine.h"
#include "core/cartesian/difference_files.h"
#include "core/cartesian/difference_listing.h"
#include "core/cartesian/test_dialogue.h"
#include "core/common/user_error.h"
#include "core/figures/run_summary.h"
#include "core/report/report_file.h"
#include "core/shell/main_window_model.h"
#include "core/state/app_context.h"
#include "core/state/control_names.h"
#include "core/tables/letter_marking.h"

namespace cpt::batch {
namespace {

void answerQuestions(AnswerSheetDialogs& dialogs, const CartesianOptions& options, bool maintainer) {
    auto answer = [&](const char* title, bool yes) { dialogs.answerMessage(title, yes ? AnswerYes : AnswerNo); };
    if (maintainer) {
        answer("Do you need detailed info?", true);
        answer("Do you need flow record?", options.flowRecord);
    }
    answer("Detailed differences", options.differences);
    // Files of pairs too large to list are never written in a batch run.
    dialogs.refuse(std::string(UnlistedDifferencesTitle), options.wording.withoutDifferences);
    answer("Reversed sort", options.reversed);
    dialogs.answerInput("Read data file one by one for paired comparison using Cartesian Product",
                        std::to_string(options.files.size()));
    if (maintainer) {
        const char* choice = options.transformation == "arcsine" ? "1" : options.transformation == "logit" ? "2" : "0";
        dialogs.answerInput("Transformation?", choice);
    }
    for (const std::string& file : options.files) dialogs.answerOpenFile(absolute(file));
    dialogs.answerInput("Add a code to the output filename?", options.code);
    dialogs.reword(std::string(ReportFailureTitle), std::string(ReportFailureAdvice), options.wording.anotherCode);
}

nlohmann::json resultDocument(const AppContext& context, const std::vector<std::filesystem::path>& written) {
    const AnalysisState& state = context.state;
    const int count = state.TreatmentCount;
    // No letters when the groups outnumber them.
    const std::vector<std::string> labels = letterLabels(state);
    nlohmann::json treatments = nlohmann::json::array();
    for (int t = 1; t <= count; ++t) {
        treatments.push_back({{"number", t},
                              {"name", state.TreatmentName[t]},
                              {"code", state.TreatmentCode[t]},
                              {"file", state.TreatmentFileSorted[t]},
                              {"B", state.BootstrapNumber[t]},
                              {"sampleSize", state.SampleSize[t]},
                              {"pointEstimate", state.PointEstimate[t]},
                              {"mean", state.BootMean[t]},
                              {"SE", state.BootSD[t]},
                              {"letters", labels.empty() ? nlohmann::json(nullptr)
                                                         : nlohmann::json(labels[static_cast<std::size_t>(t - 1)].substr(1))}});
    }
    nlohmann::json pairs = nlohmann::json::array();
    for (int i = 1; i < count; ++i) {
        for (int j = i + 1; j <= count; ++j) {
            pairs.push_back({{"first", i},
                             {"second", j},
                             {"differenceMean", state.DiffMean[i][j]},
                             {"differenceSD", state.DiffSD[i][j]},
                             {"tLower", state.TLowerLimit[i][j]},
                             {"tUpper", state.TUpperLimit[i][j]},
                             {"percentileLower", state.PercentileLower[i][j]},
                             {"percentileUpper", state.PercentileUpper[i][j]},
                             {"significantCount", state.SigCount[i][j]},
                             {"notSignificantCount", state.InsigCount[i][j]},
                             {"pValue", state.PValue[i][j]}});
        }
    }
    nlohmann::json files = nlohmann::json::array();
    for (const auto& path : written) files.push_back(path.string());
    return {{"treatments", treatments},
            {"pairs", pairs},
            {"F", state.FValueDefined ? nlohmann::json(state.FValue) : nlohmann::json(nullptr)},
            {"dfBetween", state.DfBetween},
            {"dfWithin", state.DfWithin},
            {"sidakAlpha", state.SidakAlpha},
            {"report", context.outputPath(state.OutputFileName).string()},
            {"files", files}};
}

}  // namespace

BatchOutcome runCartesianBatch(const CartesianOptions& options, std::ostream& messages,
                               const ProgressHandler& progress, PairProgressHandler pairProgress) {
    BatchOutcome outcome;
    std::unique_ptr<Clock> clock = makeClock(options.fixedTime, options.wording.fixedTime, messages);
    if (!clock) {
        outcome.status = ExitUsage;
        return outcome;
    }
    const bool maintainer = !options.transformation.empty() || options.flowRecord;
    AnswerSheetDialogs dialogs(messages);
    answerQuestions(dialogs, options, maintainer);

    AppContext context(dialogs, *clock, maintainer);
    if (!options.folder.empty()) context.workingDirectory = absolute(options.folder);
    if (progress) {
        context.window.setRedrawHandler([&](std::string_view name) {
            if (name == control::Label2.text() && context.window[control::Label2].visible) {
                progress(context.window[control::Label2].caption);
            }
        });
    }
    LoadMainWindow(context);
    if (pairProgress) context.window.setProgressHandler(std::move(pairProgress));
    cmdCartesianDifference_Click(context);
    context.closeAllFiles();
    const AnalysisState& state = context.state;
    if (dialogs.failed() || state.OutputFileName.empty()) {
        outcome.status = ExitFailure;
        return outcome;
    }

    outcome.written.push_back(context.outputPath(state.OutputFileName));
    for (int i = 1; i < state.TreatmentCount; ++i) {
        for (int j = i + 1; j <= state.TreatmentCount; ++j) {
            if (!pairListsDifferences(context, i, j)) continue;
            for (const std::string& name : differenceFileNames(state, i, j)) {
                outcome.written.push_back(context.outputPath(name));
            }
        }
    }
    if (options.flowRecord) outcome.written.push_back(context.outputPath(state.FlowFileName));
    outcome.document = resultDocument(context, outcome.written);
    outcome.grid = context.window.grid;
    // Sorting every sample again costs time that only the figures need.
    if (options.withFigures) outcome.summary = figures::summarizeRun(state);
    return outcome;
}

}  // namespace cpt::batch
