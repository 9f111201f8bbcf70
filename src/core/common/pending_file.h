#pragma once
// An output file that removes itself unless it was committed: a short file
// on the disk looks finished, so half of one must never stay behind.
#include <filesystem>

#include "core/common/output_file.h"

namespace cpt {

class PendingFile {
public:
    PendingFile() = default;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    // Removes the file unless commit() succeeded.
    ~PendingFile();

    // As OutputFile::open and openNew. Only a file this object created is
    // ever removed: a failed or refused open may name a file of the user's.
    void open(const std::filesystem::path& path, OutputFile::Mode mode = OutputFile::Mode::Replace);
    bool openNew(const std::filesystem::path& path);

    OutputFile& file() { return file_; }
    const std::filesystem::path& path() const { return file_.path(); }

    // Closes the file (a failure is thrown and the file stays pending) and
    // keeps it. Several files that stand or fall together are closed first
    // through file().close(), then committed.
    void commit();
    // Closes without reporting and removes the file now.
    void discard() noexcept;

private:
    OutputFile file_;
    bool created_ = false;
};

}  // namespace cpt
