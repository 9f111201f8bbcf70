#pragma once
// A zip archive of stored (not deflated) entries, for the office files the
// page makes without libzip: any reader of .docx opens it.
#include <span>
#include <string>

#include "core/common/date_time.h"
#include "study_files/zip_entry.h"

namespace cpt::web {

// The archive's bytes, every entry dated `modified` (a zip keeps local time).
std::string storedZip(std::span<const ZipEntry> entries, const DateTime& modified);

}  // namespace cpt::web
