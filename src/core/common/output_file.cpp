#include "core/common/output_file.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "core/common/user_error.h"

namespace cpt {

OutputFile::OutputFile(OutputFile&& other) noexcept
    : file_(other.file_), path_(std::move(other.path_)), used_(other.used_) {
    // The buffers trade places: a moved-from file keeps one to write into.
    buffer_.swap(other.buffer_);
    other.file_ = nullptr;
    other.used_ = 0;
}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        release();
        file_ = other.file_;
        path_ = std::move(other.path_);
        buffer_.swap(other.buffer_);
        used_ = other.used_;
        other.file_ = nullptr;
        other.used_ = 0;
    }
    return *this;
}

OutputFile::~OutputFile() { release(); }

void OutputFile::release() noexcept {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    used_ = 0;
}

void OutputFile::fail(std::string_view what, int error) {
    release();
    throw UserError("The file \"" + path_.string() + "\" " + std::string(what) + ": " +
                    std::strerror(error) + ".");
}

bool OutputFile::openNew(const std::filesystem::path& path) {
    release();
    path_ = path;
    file_ = std::fopen(path.c_str(), "wbx");
    if (file_ == nullptr) {
        if (errno == EEXIST) return false;
        fail("cannot be created", errno);
    }
    return true;
}

void OutputFile::open(const std::filesystem::path& path, Mode mode) {
    release();
    path_ = path;
    file_ = std::fopen(path.c_str(), mode == Mode::CreateNew ? "wbx" : "wb");
    if (file_ == nullptr) fail("cannot be created", errno);
}

void OutputFile::write(std::string_view text) {
    if (used_ + text.size() > Capacity) {
        flush();
        if (text.size() > Capacity) {
            if (file_ != nullptr && std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
                fail("could not be written completely", errno);
            }
            return;
        }
    }
    std::memcpy(buffer_.get() + used_, text.data(), text.size());
    used_ += text.size();
}

void OutputFile::flush() {
    // Without a file (never opened, or failed) the bytes have nowhere to go.
    const std::size_t used = std::exchange(used_, 0);
    if (file_ != nullptr && used > 0 && std::fwrite(buffer_.get(), 1, used, file_) != used) {
        fail("could not be written completely", errno);
    }
}

void OutputFile::flushToSystem() {
    flush();
    if (file_ != nullptr && std::fflush(file_) != 0) fail("could not be written completely", errno);
}

void OutputFile::close() {
    if (file_ == nullptr) return;
    flush();
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fflush(file) != 0 || std::ferror(file) != 0) {
        int error = errno;
        std::fclose(file);
        fail("could not be written completely", error);
    }
    if (std::fclose(file) != 0) fail("could not be closed", errno);
}

}  // namespace cpt
