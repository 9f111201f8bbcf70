#include "support/cartesian_run.h"

#include "core/analysis/cartesian_run.h"

#include <gtest/gtest.h>

#include <span>

#include "desktop_model/cartesian/test_dialogue.h"
#include "desktop_model/common/dialogs.h"
#include "desktop_model/shell/main_window_model.h"

namespace cpt::testing {

std::filesystem::path fixture(const std::string& name) {
    return std::filesystem::path(CPT_SOURCE_DIR) / "tests/core/cartesian/fixtures" / name;
}

std::string treatmentText(const std::string& name, const std::string& code, std::int32_t bootstrapNumber,
                          const std::vector<std::string>& values, std::int32_t sampleSize,
                          const std::string& estimate) {
    std::string size = std::to_string(sampleSize);
    std::string text = "\"" + name + "\",\"Sample size\"," + size + ",\"Bootstrap number\"," +
                       std::to_string(bootstrapNumber) + ",\"" + code + "\"," + size + "," + estimate + "\r\n";
    for (const std::string& value : values) text += value + "\r\n";
    return text;
}

namespace {
// Asked first, and only in maintainer mode.
void answerMaintainerQuestions(ScriptedDialogs& dialogs, bool maintainerMode, bool flowRecord) {
    if (!maintainerMode) return;
    dialogs.answerMessage("Do you need detailed info?", AnswerYes);
    dialogs.answerMessage("Do you need flow record?", flowRecord ? AnswerYes : AnswerNo);
}
ScriptedDialogs& answerOrder(ScriptedDialogs& dialogs, bool detailed, bool reversed) {
    return dialogs.answerMessage("Detailed differences", detailed ? AnswerYes : AnswerNo)
        .answerMessage("Reversed sort", reversed ? AnswerYes : AnswerNo);
}
ScriptedDialogs& answerCountWith(ScriptedDialogs& dialogs, const std::string& answer) {
    return dialogs.answerInput(CountTitle, answer);
}
ScriptedDialogs& answerFilesWith(ScriptedDialogs& dialogs, const std::vector<std::filesystem::path>& files) {
    for (std::size_t t = 0; t < files.size(); ++t) {
        dialogs.answerOpenFile("Input treatment " + std::to_string(t + 1), files[t].string());
    }
    return dialogs;
}
ScriptedDialogs& answerReportCodeWith(ScriptedDialogs& dialogs) {
    return dialogs.answerInput("Add a code to the output filename?", "1");
}
}  // namespace

ScriptedDialogs& scriptPlainRun(ScriptedDialogs& dialogs, const std::vector<std::filesystem::path>& files,
                                bool detailed, bool reversed) {
    answerOrder(dialogs, detailed, reversed);
    answerCountWith(dialogs, std::to_string(files.size()));
    answerFilesWith(dialogs, files);
    return answerReportCodeWith(dialogs);
}

CartesianRun::CartesianRun(bool maintainerMode) : AppFixture(maintainerMode) { LoadMainWindow(context); }

CartesianRun& CartesianRun::answerQuestions(bool detailed, bool reversed, bool flowRecord) {
    answerMaintainerQuestions(dialogs, context.state.MaintainerMode, flowRecord);
    answerOrder(dialogs, detailed, reversed);
    return *this;
}

CartesianRun& CartesianRun::answerCount(const std::string& answer) {
    answerCountWith(dialogs, answer);
    return *this;
}

CartesianRun& CartesianRun::answerFiles(const std::vector<std::filesystem::path>& files) {
    answerFilesWith(dialogs, files);
    return *this;
}

CartesianRun& CartesianRun::answerReportCode() {
    answerReportCodeWith(dialogs);
    return *this;
}

CartesianRun& CartesianRun::script(const std::vector<std::filesystem::path>& files, bool detailed, bool reversed) {
    answerMaintainerQuestions(dialogs, context.state.MaintainerMode, false);
    scriptPlainRun(dialogs, files, detailed, reversed);
    return *this;
}

void CartesianRun::run() {
    cmdCartesianDifference_Click(context);
    EXPECT_TRUE(dialogs.allAnswered()) << "a scripted question was not asked";
}

std::optional<std::string> CartesianRun::stopMessage() const {
    for (const auto& shown : dialogs.shown) {
        if (shown.title == StoppedTitle) return shown.prompt;
    }
    return std::nullopt;
}

bool CartesianRun::reportWritten() const {
    for (const std::string& name : folder.files()) {
        if (name.find(" results-") != std::string::npos) return true;
    }
    return false;
}

std::vector<std::string> CartesianRun::outputFiles() const {
    std::vector<std::string> names;
    for (const std::string& name : folder.files()) {
        if (name.starts_with("25A-Cartesian diff")) names.push_back(name);
    }
    return names;
}

const CartesianResult& CartesianRun::result() const {
    static const CartesianResult none;
    const bool made = context.cartesianRun && context.cartesianRun->result;
    EXPECT_TRUE(made) << "the run made no result";
    return made ? *context.cartesianRun->result : none;
}

PairFigures figuresOf(const CartesianResult& result, int i, int j) { return result.pair(i - 1, j - 1).result; }

const TreatmentStatistics& treatmentOf(const CartesianResult& result, int t) {
    return result.treatments.at(static_cast<std::size_t>(t - 1));
}

std::span<const double> valuesAt(const AppContext& context, int slot) {
    const cpt::CartesianRun& run = *context.cartesianRun;
    const int entry = run.result ? run.result->treatments.at(static_cast<std::size_t>(slot - 1)).entry : slot - 1;
    return run.treatments.at(static_cast<std::size_t>(entry)).values;
}

PairFigures literalPair(const AppContext& context, int i, int j) {
    const CartesianResult& result = *context.cartesianRun->result;
    return literalPairResult(valuesAt(context, i), valuesAt(context, j),
                             directionOf(treatmentOf(result, i).mean, treatmentOf(result, j).mean));
}

}  // namespace cpt::testing
