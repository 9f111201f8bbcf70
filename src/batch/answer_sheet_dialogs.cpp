#include "batch/answer_sheet_dialogs.h"

#include <algorithm>
#include <ostream>

#include "core/common/user_error.h"

namespace cpt::batch {

void AnswerSheetDialogs::unanswered(std::string_view kind, std::string_view title, std::string_view prompt) {
    failed_ = true;
    messageStream_ << "No answer on the command line for the " << kind << " \"" << title << "\"";
    if (!prompt.empty()) messageStream_ << ": " << prompt;
    messageStream_ << '\n';
    throw Cancelled();
}

int AnswerSheetDialogs::messageBox(std::string_view prompt, ButtonSet buttons, std::string_view title) {
    if (auto answer = messages_.find(title); answer != messages_.end()) return answer->second;
    if (auto refusal = refusals_.find(title); refusal != refusals_.end()) {
        failed_ = true;
        messageStream_ << prompt.substr(0, prompt.rfind('\n')) << '\n' << refusal->second << '\n';
        return AnswerNo;
    }
    if (buttons == ButtonSet::OkOnly || buttons == ButtonSet::OkCancel) {
        bool notice = std::find(notices_.begin(), notices_.end(), title) != notices_.end();
        if (!notice) {
            // Anything else that only informs is a complaint about the input or a file.
            failed_ = true;
            std::string text(prompt);
            for (const Rewording& rewording : rewordings_) {
                if (rewording.title != title) continue;
                if (std::size_t at = text.find(rewording.windowText); at != std::string::npos) {
                    text.replace(at, rewording.windowText.size(), rewording.batchText);
                }
            }
            messageStream_ << text << '\n';
            // Nobody is there to put it right and try again.
            return buttons == ButtonSet::OkCancel ? AnswerCancel : AnswerOk;
        }
        return AnswerOk;
    }
    unanswered("question", title, prompt);
}

std::optional<std::string> AnswerSheetDialogs::inputBox(std::string_view prompt, std::string_view title,
                                                        std::string_view) {
    auto answers = inputs_.find(title);
    if (answers == inputs_.end() || answers->second.empty()) unanswered("input box", title, prompt);
    std::string text = answers->second.front();
    answers->second.pop_front();
    return text;
}

std::optional<std::string> AnswerSheetDialogs::openFile(std::string_view title) {
    if (files_.empty()) unanswered("file choice", title, "");
    std::string path = files_.front();
    files_.pop_front();
    return path;
}

}  // namespace cpt::batch
