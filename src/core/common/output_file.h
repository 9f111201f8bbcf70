#pragma once
// Every output file goes through this writer: it buffers, checks every write
// and the close, and turns a refused path or a full disk into a UserError
// that names the file and the system's reason.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace cpt {

class OutputFile {
public:
    enum class Mode { Replace, CreateNew };

    OutputFile() = default;
    OutputFile(const std::filesystem::path& path, Mode mode = Mode::Replace) { open(path, mode); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;
    ~OutputFile();  // closes without reporting; call close() to be told

    // Throws UserError when the file cannot be created (with CreateNew, also
    // when it exists already).
    void open(const std::filesystem::path& path, Mode mode = Mode::Replace);
    // Like open() with CreateNew, but reports an existing file by returning false.
    bool openNew(const std::filesystem::path& path);

    void write(std::string_view text);
    void write(char c) {
        if (used_ + 1 > Capacity) flush();
        buffer_[used_++] = c;
    }
    // Numbers are written in place: room() gives space for up to `size`
    // bytes (at most a few hundred) at the end of the buffer, and claim()
    // keeps the ones filled.
    char* room(std::size_t size) {
        if (used_ + size > Capacity) flush();
        return buffer_.get() + used_;
    }
    void claim(std::size_t size) { used_ += size; }
    // Lines end CR LF in every output file.
    void writeLine(std::string_view text) {
        write(text);
        write("\r\n");
    }
    void flush();
    // Also pushes the C library's buffer to the system, so that another
    // program sees every line written so far (the flow record).
    void flushToSystem();
    void close();

    bool isOpen() const { return file_ != nullptr; }
    const std::filesystem::path& path() const { return path_; }

    // Bytes buffered before they go to the file.
    static constexpr std::size_t Capacity = 1 << 20;

private:
    [[noreturn]] void fail(std::string_view what, int error);
    void release() noexcept;

    std::FILE* file_ = nullptr;
    std::filesystem::path path_;
    std::unique_ptr<char[]> buffer_{new char[Capacity]};
    std::size_t used_ = 0;
};

}  // namespace cpt
