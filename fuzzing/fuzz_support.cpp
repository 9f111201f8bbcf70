#include "fuzz_support.h"

#include <fstream>
#include <system_error>
#include <unistd.h>

namespace cpt::fuzzing {
namespace {

struct ScratchFolder {
    ScratchFolder()
        : path(std::filesystem::temp_directory_path() / ("cpt-fuzz-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

}  // namespace

const std::filesystem::path& scratchFolder() {
    static const ScratchFolder folder;
    return folder.path;
}

void clearScratchFolder() {
    for (const auto& entry : std::filesystem::directory_iterator(scratchFolder())) {
        std::filesystem::remove_all(entry.path());
    }
}

std::filesystem::path writeScratchFile(const std::string& name, std::string_view contents) {
    std::filesystem::path path = scratchFolder() / name;
    std::ofstream out(path, std::ios::binary);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    return path;
}

int TableDialogs::messageBox(std::string_view, ButtonSet buttons, std::string_view title) {
    auto found = messages_.find(title);
    if (found != messages_.end()) return found->second;
    return buttons == ButtonSet::OkOnly || buttons == ButtonSet::OkCancel ? AnswerOk : AnswerCancel;
}

std::optional<std::string> TableDialogs::inputBox(std::string_view, std::string_view title, std::string_view) {
    auto found = inputs_.find(title);
    if (found == inputs_.end()) return std::nullopt;
    std::optional<std::string> answer;
    answer.swap(found->second);
    return answer;
}

std::optional<std::string> TableDialogs::openFile(std::string_view) {
    if (files_.empty()) return std::nullopt;
    std::string path = std::move(files_.front());
    files_.pop_front();
    return path;
}

}  // namespace cpt::fuzzing
