#pragma once
// A fresh folder per test, and small helpers to write and read files in it.
#include <filesystem>
#include <string>
#include <vector>

namespace cpt::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path write(const std::string& name, const std::string& contents) const;
    // Names of the files in the folder, sorted.
    std::vector<std::string> files() const;

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
// The file's lines without their CR LF ends.
std::vector<std::string> readLines(const std::filesystem::path& path);

}  // namespace cpt::testing
