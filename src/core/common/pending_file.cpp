#include "core/common/pending_file.h"

#include <system_error>

namespace cpt {

PendingFile::~PendingFile() { discard(); }

void PendingFile::open(const std::filesystem::path& path, OutputFile::Mode mode) {
    discard();
    file_.open(path, mode);
    created_ = true;
}

bool PendingFile::openNew(const std::filesystem::path& path) {
    discard();
    created_ = file_.openNew(path);
    return created_;
}

void PendingFile::commit() {
    file_.close();
    created_ = false;
}

void PendingFile::discard() noexcept {
    if (!created_) return;
    created_ = false;
    const std::filesystem::path path = file_.path();
    file_ = OutputFile();  // closes without reporting
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

}  // namespace cpt
