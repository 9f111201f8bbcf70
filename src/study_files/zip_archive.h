#pragma once
// A zip archive built in memory, its entries deflated, in the order given.
#include <span>
#include <string>

namespace cpt {

struct ZipEntry {
    std::string name;
    std::string bytes;
};

// Throws UserError when libzip fails (it names the archive as `what`).
std::string zipArchive(std::span<const ZipEntry> entries, const std::string& what);

}  // namespace cpt
