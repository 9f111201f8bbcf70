#pragma once
// A Dialogs port for tests: answers from a script, fails the test on any
// question it was not told to expect, and records what it was shown.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "desktop_model/common/dialogs.h"

namespace cpt::testing {

class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Message, Input, OpenFile, OpenFiles };

    struct Shown {
        Kind kind;
        std::string prompt;
        std::string title;
        ButtonSet buttons = ButtonSet::OkOnly;
        std::string defaultText;
    };

    // Each expectation names the title the question must carry.
    ScriptedDialogs& answerMessage(std::string title, int answer);
    ScriptedDialogs& answerInput(std::string title, std::optional<std::string> answer);
    ScriptedDialogs& answerOpenFile(std::string title, std::optional<std::string> path);
    // Several files chosen at once (none: cancelled). A dialogue that may take
    // several files is also answered by answerOpenFile, with one.
    ScriptedDialogs& answerOpenFiles(std::string title, std::vector<std::string> paths);

    int messageBox(std::string_view prompt, ButtonSet buttons, std::string_view title) override;
    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title,
                                        std::string_view defaultText) override;
    std::optional<std::string> openFile(std::string_view title) override;
    std::vector<std::string> openFiles(std::string_view title) override;
    void beep() override { ++beeps; }

    bool allAnswered() const { return script_.empty(); }
    // Whether a question of this title is still scripted.
    bool expects(std::string_view title) const;
    // Titles of everything shown, in order.
    std::vector<std::string> titles() const;

    std::vector<Shown> shown;
    int beeps = 0;

private:
    struct Expected {
        Kind kind;
        std::string title;
        int answer = 0;
        std::optional<std::string> text;
        std::vector<std::string> paths;
    };
    std::optional<Expected> take(Kind kind, std::string_view title, std::string_view prompt);
    std::deque<Expected> script_;
};

}  // namespace cpt::testing
