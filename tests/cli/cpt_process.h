#pragma once
// Runs the built batch program as a process and collects what it printed.
#include <filesystem>
#include <string>
#include <vector>

namespace cpt::testing {

struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `cpt` with the arguments in the given folder, after the shell commands
// of `limits` (such as "ulimit -f 8;").
ProcessResult runCpt(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                     const std::string& limits = "");

std::filesystem::path exampleFile(const std::string& name);

}  // namespace cpt::testing
