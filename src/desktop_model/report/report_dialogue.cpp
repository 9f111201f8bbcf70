#include "desktop_model/report/report_dialogue.h"

#include <optional>
#include <string>

#include "core/common/pending_file.h"
#include "core/common/user_error.h"
#include "core/report/report_file.h"
#include "core/report/report_file_name.h"
#include "desktop_model/state/app_context.h"

namespace cpt {
namespace {

constexpr std::string_view CodePrompt =
    "If you want to add a specific code for this analysis, please enter the code and press OK. "
    "If not, just click on OK.";
constexpr std::string_view CodeTitle = "Add a code to the output filename?";

}  // namespace

std::string reportFileName(const AnalysisState& state, std::string_view code, Clock& clock) {
    return reportFileName(state.OutputPrefix, state.LastTreatmentCode, code, clock);
}

void openReportFile(AppContext& context, PendingFile& report) {
    context.dialogs.beep();
    for (;;) {
        // A cancelled box gives the empty code.
        std::string code = context.dialogs.inputBox(CodePrompt, CodeTitle, "1").value_or("");
        std::string name = reportFileName(context.state, code, context.clock);
        try {
            context.state.OutputFileName = createReportFile(report, context.workingDirectory, name);
            return;
        } catch (const UserError& error) {
            std::string prompt = std::string(error.what()) + std::string(ReportFailureAdvice);
            if (context.dialogs.messageBox(prompt, ButtonSet::OkCancel, ReportFailureTitle) == AnswerCancel) {
                throw Cancelled();
            }
        }
    }
}

}  // namespace cpt
