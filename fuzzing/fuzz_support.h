#pragma once
// What the entry points share: a private folder for the files a reader must
// find on disk, and a Dialogs port that answers from a small table, so that a
// whole procedure runs without a user (and without GoogleTest).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "desktop_model/common/dialogs.h"

namespace cpt::fuzzing {

// A folder of this process's own under the system's temporary folder, made on
// first use and removed with everything in it when the process ends.
const std::filesystem::path& scratchFolder();
// Empties the scratch folder, so that no run sees what an earlier one wrote.
void clearScratchFolder();
std::filesystem::path writeScratchFile(const std::string& name, std::string_view contents);

// Message boxes answer from the table by title (OK where only OK fits,
// otherwise Cancel); every input box title is answered once, a second box of
// the same title is cancelled; files are handed out in order, then cancelled.
class TableDialogs : public Dialogs {
public:
    void answerMessage(std::string title, int answer) { messages_[std::move(title)] = answer; }
    void answerInput(std::string title, std::string text) { inputs_[std::move(title)] = std::move(text); }
    void answerOpenFile(std::string path) { files_.push_back(std::move(path)); }

    int messageBox(std::string_view prompt, ButtonSet buttons, std::string_view title) override;
    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title,
                                        std::string_view defaultText) override;
    std::optional<std::string> openFile(std::string_view title) override;
    void beep() override {}

private:
    std::map<std::string, int, std::less<>> messages_;
    std::map<std::string, std::optional<std::string>, std::less<>> inputs_;
    std::deque<std::string> files_;
};

}  // namespace cpt::fuzzing
