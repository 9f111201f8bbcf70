#include "cpt_process.h"

#include <sys/wait.h>

#include <cstdlib>

#include "support/test_files.h"

namespace cpt::testing {
namespace {
std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}
}  // namespace

ProcessResult runCpt(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                     const std::string& limits) {
    std::filesystem::path out = folder / ".stdout";
    std::filesystem::path err = folder / ".stderr";
    std::string command = "cd " + quoted(folder.string()) + " && " + limits + quoted(CPT_EXECUTABLE);
    for (const std::string& argument : arguments) command += " " + quoted(argument);
    command += " > " + quoted(out.string()) + " 2> " + quoted(err.string());
    int raw = std::system(command.c_str());
    ProcessResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = readFile(out);
    result.err = readFile(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
}

std::filesystem::path exampleFile(const std::string& name) {
    return std::filesystem::path(CPT_SOURCE_DIR) / "examples" / name;
}

}  // namespace cpt::testing
