#include "core/common/output_file.h"

#include <cerrno>
#include <cstring>

#include "core/common/user_error.h"

namespace cpt {

OutputFile::OutputFile(OutputFile&& other) noexcept
    : file_(other.file_), path_(std::move(other.path_)), buffer_(std::move(other.buffer_)) {
    other.file_ = nullptr;
}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        release();
        file_ = other.file_;
        path_ = std::move(other.path_);
        buffer_ = std::move(other.buffer_);
        other.file_ = nullptr;
    }
    return *this;
}

OutputFile::~OutputFile() { release(); }

void OutputFile::release() noexcept {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    buffer_.clear();
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
    buffer_.reserve(Capacity);
    return true;
}

void OutputFile::open(const std::filesystem::path& path, Mode mode) {
    release();
    path_ = path;
    file_ = std::fopen(path.c_str(), mode == Mode::CreateNew ? "wbx" : "wb");
    if (file_ == nullptr) fail("cannot be created", errno);
    buffer_.reserve(Capacity);
}

void OutputFile::write(std::string_view text) {
    if (buffer_.size() + text.size() > Capacity) {
        flush();
        if (text.size() > Capacity) {
            if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
                fail("could not be written completely", errno);
            }
            return;
        }
    }
    buffer_.append(text);
}

void OutputFile::flush() {
    if (file_ == nullptr) return;
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
        fail("could not be written completely", errno);
    }
    buffer_.clear();
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
