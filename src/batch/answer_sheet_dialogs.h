#pragma once
// The batch runs' Dialogs: every question is answered from the given
// answers, looked up by the box's title. Complaints go to the message
// stream (standard error in cpt); a question nobody answered stops the run
// instead of waiting for a user.
#include <deque>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/common/dialogs.h"

namespace cpt::batch {

class AnswerSheetDialogs : public Dialogs {
public:
    explicit AnswerSheetDialogs(std::ostream& messages) : messageStream_(messages) {}

    void answerMessage(const std::string& title, int answer) { messages_[title] = answer; }
    // An input answer is given once; a second box of the same title (asked
    // again after a failure) finds no answer and stops the run.
    void answerInput(const std::string& title, std::string text) { inputs_[title].push_back(std::move(text)); }
    void answerOpenFile(std::string path) { files_.push_back(std::move(path)); }
    // A question the batch program answers No to, as a failure: its prompt,
    // without the closing question, and the advice go to standard error.
    void refuse(const std::string& title, std::string advice) { refusals_[title] = std::move(advice); }
    // Titles of message boxes that only tell the user something on success.
    void acceptNotice(const std::string& title) { notices_.push_back(title); }
    // In messages of this title, advice about the window is replaced by
    // advice about the command line.
    void reword(std::string title, std::string windowText, std::string batchText) {
        rewordings_.push_back({std::move(title), std::move(windowText), std::move(batchText)});
    }

    int messageBox(std::string_view prompt, ButtonSet buttons, std::string_view title) override;
    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title,
                                        std::string_view defaultText) override;
    std::optional<std::string> openFile(std::string_view title) override;
    void beep() override {}

    // True once something went wrong: an error message or an unanswered question.
    bool failed() const { return failed_; }

private:
    [[noreturn]] void unanswered(std::string_view kind, std::string_view title, std::string_view prompt);

    std::ostream& messageStream_;
    std::map<std::string, int, std::less<>> messages_;
    std::map<std::string, std::string, std::less<>> refusals_;
    std::map<std::string, std::deque<std::string>, std::less<>> inputs_;
    std::deque<std::string> files_;
    std::vector<std::string> notices_;
    struct Rewording {
        std::string title, windowText, batchText;
    };
    std::vector<Rewording> rewordings_;
    bool failed_ = false;
};

}  // namespace cpt::batch
