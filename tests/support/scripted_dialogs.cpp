#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace cpt::testing {
namespace {
const char* kindName(ScriptedDialogs::Kind kind) {
    switch (kind) {
        case ScriptedDialogs::Kind::Message: return "message box";
        case ScriptedDialogs::Kind::Input: return "input box";
        case ScriptedDialogs::Kind::OpenFile: return "open-file dialogue";
        case ScriptedDialogs::Kind::OpenFiles: return "open-files dialogue";
    }
    return "?";
}
}  // namespace

ScriptedDialogs& ScriptedDialogs::answerMessage(std::string title, int answer) {
    script_.push_back({Kind::Message, std::move(title), answer, std::nullopt});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerInput(std::string title, std::optional<std::string> answer) {
    script_.push_back({Kind::Input, std::move(title), 0, std::move(answer)});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerOpenFile(std::string title, std::optional<std::string> path) {
    script_.push_back({Kind::OpenFile, std::move(title), 0, std::move(path)});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerOpenFiles(std::string title, std::vector<std::string> paths) {
    script_.push_back({Kind::OpenFiles, std::move(title), 0, std::nullopt, std::move(paths)});
    return *this;
}

std::optional<ScriptedDialogs::Expected> ScriptedDialogs::take(Kind kind, std::string_view title,
                                                               std::string_view prompt) {
    if (script_.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(kind) << " \"" << title << "\": " << prompt;
        return std::nullopt;
    }
    Expected expected = script_.front();
    script_.pop_front();
    if (expected.kind != kind || expected.title != title) {
        ADD_FAILURE() << "expected " << kindName(expected.kind) << " \"" << expected.title << "\" but got "
                      << kindName(kind) << " \"" << title << "\": " << prompt;
        return std::nullopt;
    }
    return expected;
}

int ScriptedDialogs::messageBox(std::string_view prompt, ButtonSet buttons, std::string_view title) {
    shown.push_back({Kind::Message, std::string(prompt), std::string(title), buttons, {}});
    std::optional<Expected> expected = take(Kind::Message, title, prompt);
    if (!expected) return buttons == ButtonSet::YesNo ? AnswerNo : AnswerCancel;
    return expected->answer;
}

bool ScriptedDialogs::expects(std::string_view title) const {
    for (const Expected& expected : script_) {
        if (expected.title == title) return true;
    }
    return false;
}

std::optional<std::string> ScriptedDialogs::inputBox(std::string_view prompt, std::string_view title,
                                                     std::string_view defaultText) {
    shown.push_back({Kind::Input, std::string(prompt), std::string(title), ButtonSet::OkCancel,
                     std::string(defaultText)});
    std::optional<Expected> expected = take(Kind::Input, title, prompt);
    if (!expected) return std::nullopt;
    return expected->text;
}

std::optional<std::string> ScriptedDialogs::openFile(std::string_view title) {
    shown.push_back({Kind::OpenFile, {}, std::string(title), ButtonSet::OkCancel, {}});
    std::optional<Expected> expected = take(Kind::OpenFile, title, {});
    if (!expected) return std::nullopt;
    return expected->text;
}

std::vector<std::string> ScriptedDialogs::openFiles(std::string_view title) {
    if (!script_.empty() && script_.front().kind == Kind::OpenFile) {
        std::optional<std::string> one = openFile(title);
        if (!one) return {};
        return {*one};
    }
    shown.push_back({Kind::OpenFiles, {}, std::string(title), ButtonSet::OkCancel, {}});
    std::optional<Expected> expected = take(Kind::OpenFiles, title, {});
    if (!expected) return {};
    return expected->paths;
}

std::vector<std::string> ScriptedDialogs::titles() const {
    std::vector<std::string> result;
    for (const Shown& entry : shown) result.push_back(entry.title);
    return result;
}

}  // namespace cpt::testing
