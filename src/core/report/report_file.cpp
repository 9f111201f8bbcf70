#include "core/report/report_file.h"

#include <optional>
#include <string>

#include "core/common/pending_file.h"
#include "core/common/user_error.h"
#include "core/report/report_file_name.h"
#include "core/state/app_context.h"

namespace cpt {
namespace {

constexpr std::string_view CodePrompt =
    "If you want to add a specific code for this analysis, please enter the code and press OK. "
    "If not, just click on OK.";
constexpr std::string_view CodeTitle = "Add a code to the output filename?";

}  // namespace

// The search is bounded, since a name the system cuts short may collide every time.
std::string createReportFile(PendingFile& report, const std::filesystem::path& folder, const std::string& name) {
    for (int number = 1; number <= MaxNameNumber; ++number) {
        std::string candidate = numberedFileName(name, number);
        if (report.openNew(folder / candidate)) return candidate;
    }
    throw UserError("No free name was found for the report \"" + (folder / name).string() + "\": it and " +
                    std::to_string(MaxNameNumber - 1) + " numbered names beside it exist already.");
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
