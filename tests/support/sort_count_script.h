#pragma once
// Scripted answers for a whole sort-and-count, and small data-file builders.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "desktop_model/common/dialogs.h"
#include "support/scripted_dialogs.h"

namespace cpt::testing {

inline constexpr const char* KindTitle = "Sort and count general data or bootstrap results";
inline constexpr const char* FormatTitle = "Data formate";
inline constexpr const char* DecimalTitle = "Limit the decimal points?";
inline constexpr const char* FrequencyTitle = "Frequency distribution";

// The kind (Yes General, No Boot, Cancel the paired-test results), the format
// question and the file choice (nothing: cancelled).
inline void scriptStart(ScriptedDialogs& dialogs, int kind, bool serialNumbers,
                        const std::optional<std::filesystem::path>& file) {
    dialogs.answerMessage(KindTitle, kind);
    dialogs.answerMessage(FormatTitle, serialNumbers ? AnswerYes : AnswerNo);
    dialogs.answerOpenFile(kind == AnswerYes ? "Open a general data file to sort" : "Open a bootstrap file to sort",
                           file ? std::optional<std::string>(file->string()) : std::nullopt);
}

// The decimal-limit answers, then the two closing messages.
inline void scriptFinish(ScriptedDialogs& dialogs, const std::vector<std::string>& decimals = {"-1"}) {
    for (const std::string& answer : decimals) dialogs.answerInput(DecimalTitle, answer);
    dialogs.answerMessage(DecimalTitle, AnswerOk);
    dialogs.answerMessage(DecimalTitle, AnswerOk);
}

inline void scriptRun(ScriptedDialogs& dialogs, int kind, bool serialNumbers, const std::filesystem::path& file,
                      const std::vector<std::string>& decimals = {"-1"}) {
    scriptStart(dialogs, kind, serialNumbers, file);
    scriptFinish(dialogs, decimals);
}

// A bootstrap result file: name, -, sample size, -, B, code, (A), point estimate.
inline std::string bootstrapHeading(int b, const std::string& code = "C1") {
    return "Name,0,10,0," + std::to_string(b) + "," + code + ",10,.5\r\n";
}

}  // namespace cpt::testing
