#include "support/test_files.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace cpt::testing {

TempFolder::TempFolder() {
    std::random_device device;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate =
            std::filesystem::temp_directory_path() / ("cpt-test-" + std::to_string(device()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("no temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::write(const std::string& name, const std::string& contents) const {
    std::filesystem::path file = path_ / name;
    std::ofstream out(file, std::ios::binary);
    out << contents;
    return file;
}

std::vector<std::string> TempFolder::files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

std::vector<std::string> readLines(const std::filesystem::path& path) {
    std::string contents = readFile(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(contents.substr(start));
            break;
        }
        lines.push_back(contents.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace cpt::testing
