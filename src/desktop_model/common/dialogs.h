#pragma once
// What the window's procedures ask of the user goes through this port: the
// desktop program shows real modal boxes, the tests answer from a script.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cpt {

enum class ButtonSet { OkOnly, OkCancel, YesNo, YesNoCancel };

// The codes the message box answers with.
enum Answer : int { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Closing a Yes/No/Cancel box answers AnswerCancel. Prompt lines are
    // separated by line feeds.
    virtual int messageBox(std::string_view prompt, ButtonSet buttons, std::string_view title) = 0;
    // The typed text, or nothing when the box was cancelled.
    virtual std::optional<std::string> inputBox(std::string_view prompt, std::string_view title,
                                                std::string_view defaultText) = 0;
    // The chosen path, or nothing when the dialogue was cancelled.
    virtual std::optional<std::string> openFile(std::string_view title) = 0;
    // One or more paths chosen at once, in the order chosen; none when the
    // dialogue was cancelled. A port that offers one file at a time keeps this.
    virtual std::vector<std::string> openFiles(std::string_view title) {
        std::optional<std::string> one = openFile(title);
        if (!one) return {};
        return {std::move(*one)};
    }
    virtual void beep() = 0;

    // A plain notice with an OK button.
    void tell(std::string_view prompt, std::string_view title) { messageBox(prompt, ButtonSet::OkOnly, title); }
};

}  // namespace cpt
