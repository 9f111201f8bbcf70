#pragma once
// The bytes of an input file as UTF-8, whatever encoding it came in: a UTF-8
// byte-order mark is dropped, a UTF-16 text (little or big endian, marked by
// its byte-order mark) is transcoded while it is read, and anything else
// comes through byte for byte. Memory stays bounded by the chunk size.
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cpt {

enum class TextEncoding { Bytes, Utf8WithMark, Utf16LittleEndian, Utf16BigEndian };

class ByteSource {
public:
    // Throws UserError when the file cannot be opened.
    static ByteSource fromFile(const std::filesystem::path& path);
    ByteSource(std::string contents, std::string displayName);

    // Up to `room` bytes of UTF-8 into `out` (room of at least 4); 0 only when
    // the file has ended. Throws UserError when the file cannot be read.
    std::size_t read(char* out, std::size_t room);

    TextEncoding encoding() const { return encoding_; }
    const std::string& displayName() const { return displayName_; }

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    ByteSource(std::unique_ptr<std::FILE, FileCloser> file, std::string contents, std::string displayName);
    void detectEncoding();
    // Makes at least `wanted` raw bytes available unless the file ends first.
    bool fillRaw(std::size_t wanted);
    std::size_t transcodeUtf16(char* out, std::size_t room);

    std::unique_ptr<std::FILE, FileCloser> file_;
    std::string contents_;  // the whole file, when it came from memory
    std::size_t contentsRead_ = 0;
    std::vector<char> raw_;
    std::size_t rawPosition_ = 0;
    std::size_t rawEnd_ = 0;
    bool rawExhausted_ = false;
    TextEncoding encoding_ = TextEncoding::Bytes;
    std::string displayName_;
};

// A whole text in memory as the byte source would read it.
std::string asUtf8(std::string contents);

}  // namespace cpt
