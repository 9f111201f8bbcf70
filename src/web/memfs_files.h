#pragma once
// Files handed over from JavaScript as bytes, written into emscripten's
// in-memory file system, and read back the same way.
#include <filesystem>
#include <string>

#include <emscripten/val.h>

namespace cpt::web {

// A fresh empty folder (whatever an earlier run left there is removed).
void makeEmptyFolder(const std::filesystem::path& folder);

// The bytes of a Uint8Array (or ArrayBuffer), copied out of JavaScript.
std::string bytesText(const emscripten::val& bytes);

// Writes the bytes of a Uint8Array (or ArrayBuffer) to path.
void writeBytes(const std::filesystem::path& path, const emscripten::val& bytes);

// The file's bytes as a new Uint8Array.
emscripten::val readBytes(const std::filesystem::path& path);

// A name the page gave, kept to its last part so it stays in its folder.
std::string plainFileName(const std::string& name);

}  // namespace cpt::web
