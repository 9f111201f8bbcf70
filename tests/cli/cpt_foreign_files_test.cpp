// cpt cartesian and cpt study refuse a file that is no treatment file for
// what it is, in one line naming it, and write nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cpt_process.h"
#include "support/foreign_files.h"
#include "support/test_files.h"

namespace cpt::testing {
namespace {

bool hasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

TEST(CptForeignFiles, CartesianAndStudyRefuseEachInOneCleanLine) {
    TempFolder inputs;
    const std::string maize = exampleFile("Maize.txt").string();
    const std::string wheat = exampleFile("Wheat.txt").string();
    int k = 0;
    for (const ForeignFile& file : foreignFiles()) {
        const std::string folder = std::to_string(++k);
        std::filesystem::create_directories(inputs.path() / folder);
        const std::string path = inputs.write(folder + "/" + file.name, file.bytes).string();
        const std::vector<std::vector<std::string>> commands = {
            {"cartesian", "--fixed-time", "2026-12-09 22:32:02", maize, path, wheat},
            {"study", "-C", ".", maize, wheat, path},
        };
        for (const std::vector<std::string>& command : commands) {
            SCOPED_TRACE(command.front() + " " + file.name + ": " + file.refusal);
            TempFolder out;
            const ProcessResult result = runCpt(command, out.path());
            EXPECT_EQ(result.status, 1);
            EXPECT_EQ(result.err, "The file \"" + path + "\" " + file.refusal + "\n");
            EXPECT_FALSE(hasControlCharacter(std::string_view(result.err).substr(0, result.err.size() - 1)));
            EXPECT_EQ(result.out, "");
            EXPECT_TRUE(out.files().empty());
        }
    }
}

}  // namespace
}  // namespace cpt::testing
