#include "web/memfs_files.h"

#include <fstream>
#include <stdexcept>
#include <vector>

#include <emscripten/val.h>

namespace cpt::web {

void makeEmptyFolder(const std::filesystem::path& folder) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
}

std::string bytesText(const emscripten::val& bytes) {
    const emscripten::val array = emscripten::val::global("Uint8Array").new_(bytes);
    std::string buffer(array["length"].as<std::size_t>(), '\0');
    emscripten::val(emscripten::typed_memory_view(buffer.size(), reinterpret_cast<unsigned char*>(buffer.data())))
        .call<void>("set", array);
    return buffer;
}

void writeBytes(const std::filesystem::path& path, const emscripten::val& bytes) {
    const std::string buffer = bytesText(bytes);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
    if (!out.flush()) throw std::runtime_error("writeBytes: cannot write " + path.string());
}

emscripten::val readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("readBytes: cannot open " + path.string());
    std::vector<unsigned char> buffer(static_cast<std::size_t>(std::filesystem::file_size(path)));
    if (!in.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()))) {
        throw std::runtime_error("readBytes: cannot read " + path.string());
    }
    // A copy: a view into the module's memory would move when memory grows.
    return emscripten::val::global("Uint8Array")
        .new_(emscripten::val(emscripten::typed_memory_view(buffer.size(), buffer.data())));
}

std::string plainFileName(const std::string& name) {
    std::string plain = std::filesystem::path(name).filename().string();
    if (plain.empty() || plain == "." || plain == "..") plain = "data.txt";
    return plain;
}

}  // namespace cpt::web
