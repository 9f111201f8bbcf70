#pragma once
// A zip archive built in memory, its entries deflated, in the order given.
#include <ctime>
#include <span>
#include <string>

#include "study_files/zip_entry.h"

namespace cpt {

// Every entry is dated `modified`. Throws UserError when libzip fails (it
// names the archive as `what`).
std::string zipArchive(std::span<const ZipEntry> entries, std::time_t modified, const std::string& what);

}  // namespace cpt
