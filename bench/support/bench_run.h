#pragma once
// What the whole-run benchmarks share: answers given without a window, a
// folder of their own that is gone afterwards, and the peak memory.
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "desktop_model/common/dialogs.h"

namespace cpt::bench {

// A benchmark that measures a wrong run is worse than none: stop loudly.
[[noreturn]] inline void failBench(std::string_view program, const std::string& why) {
    std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(program.size()), program.data(), why.c_str());
    std::abort();
}

// Answers No to the two run questions and everything else from its tables.
class NoQuestions : public Dialogs {
public:
    explicit NoQuestions(std::string_view program) : program_(program) {}

    std::map<std::string, std::string, std::less<>> inputs;
    std::map<std::string, std::string, std::less<>> files;

    int messageBox(std::string_view prompt, ButtonSet, std::string_view title) override {
        if (title == "Detailed differences" || title == "Reversed sort") return AnswerNo;
        failBench(program_, "unexpected message \"" + std::string(title) + "\": " + std::string(prompt));
    }
    std::optional<std::string> inputBox(std::string_view, std::string_view title, std::string_view) override {
        auto found = inputs.find(title);
        if (found == inputs.end()) failBench(program_, "unexpected input box \"" + std::string(title) + "\"");
        return found->second;
    }
    std::optional<std::string> openFile(std::string_view title) override {
        auto found = files.find(title);
        if (found == files.end()) failBench(program_, "unexpected file dialogue \"" + std::string(title) + "\"");
        return found->second;
    }
    void beep() override {}

private:
    std::string_view program_;
};

struct TempFolder {
    std::filesystem::path path;
    TempFolder(std::string_view program, const std::string& name)
        : path(std::filesystem::temp_directory_path() /
               (std::string(program) + "-" + name + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

// The largest resident set of the process so far, in kilobytes.
inline long peakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace cpt::bench
