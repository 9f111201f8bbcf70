#include "core/common/byte_source.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/common/user_error.h"

namespace cpt {
namespace {

constexpr std::size_t RawChunkSize = std::size_t{64} << 10;
constexpr char32_t Replacement = 0xFFFD;

std::size_t putUtf8(char32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

}  // namespace

ByteSource ByteSource::fromFile(const std::filesystem::path& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw UserError("The file \"" + path.string() + "\" cannot be opened: " + std::strerror(errno) + ".");
    }
    return ByteSource(std::move(file), {}, path.string());
}

ByteSource::ByteSource(std::string contents, std::string displayName)
    : ByteSource(nullptr, std::move(contents), std::move(displayName)) {}

ByteSource::ByteSource(std::unique_ptr<std::FILE, FileCloser> file, std::string contents, std::string displayName)
    : file_(std::move(file)), contents_(std::move(contents)), raw_(RawChunkSize),
      displayName_(std::move(displayName)) {
    detectEncoding();
}

bool ByteSource::fillRaw(std::size_t wanted) {
    while (rawEnd_ - rawPosition_ < wanted && !rawExhausted_) {
        const std::size_t rest = rawEnd_ - rawPosition_;
        if (rawPosition_ > 0) std::memmove(raw_.data(), raw_.data() + rawPosition_, rest);
        rawPosition_ = 0;
        rawEnd_ = rest;
        std::size_t got = 0;
        if (file_) {
            got = std::fread(raw_.data() + rawEnd_, 1, raw_.size() - rawEnd_, file_.get());
            if (got == 0 && std::ferror(file_.get())) {
                throw UserError("The file \"" + displayName_ + "\" cannot be read: " + std::strerror(errno) + ".");
            }
        } else {
            got = std::min(raw_.size() - rawEnd_, contents_.size() - contentsRead_);
            std::memcpy(raw_.data() + rawEnd_, contents_.data() + contentsRead_, got);
            contentsRead_ += got;
        }
        rawEnd_ += got;
        if (got == 0) rawExhausted_ = true;
    }
    return rawEnd_ - rawPosition_ >= wanted;
}

void ByteSource::detectEncoding() {
    fillRaw(3);
    const std::string_view start(raw_.data() + rawPosition_, rawEnd_ - rawPosition_);
    if (start.starts_with("\xEF\xBB\xBF")) {
        encoding_ = TextEncoding::Utf8WithMark;
        rawPosition_ += 3;
    } else if (start.starts_with("\xFF\xFE")) {
        encoding_ = TextEncoding::Utf16LittleEndian;
        rawPosition_ += 2;
    } else if (start.starts_with("\xFE\xFF")) {
        encoding_ = TextEncoding::Utf16BigEndian;
        rawPosition_ += 2;
    }
}

std::size_t ByteSource::read(char* out, std::size_t room) {
    if (encoding_ == TextEncoding::Utf16LittleEndian || encoding_ == TextEncoding::Utf16BigEndian) {
        return transcodeUtf16(out, room);
    }
    if (rawPosition_ == rawEnd_) {
        // Large reads go straight to the caller's buffer.
        if (rawExhausted_) return 0;
        if (file_) {
            const std::size_t got = std::fread(out, 1, room, file_.get());
            if (got == 0) {
                if (std::ferror(file_.get())) {
                    throw UserError("The file \"" + displayName_ + "\" cannot be read: " + std::strerror(errno) +
                                    ".");
                }
                rawExhausted_ = true;
            }
            return got;
        }
        const std::size_t got = std::min(room, contents_.size() - contentsRead_);
        std::memcpy(out, contents_.data() + contentsRead_, got);
        contentsRead_ += got;
        if (got == 0) rawExhausted_ = true;
        return got;
    }
    const std::size_t got = std::min(room, rawEnd_ - rawPosition_);
    std::memcpy(out, raw_.data() + rawPosition_, got);
    rawPosition_ += got;
    return got;
}

std::size_t ByteSource::transcodeUtf16(char* out, std::size_t room) {
    const bool little = encoding_ == TextEncoding::Utf16LittleEndian;
    auto unitAt = [&](std::size_t at) {
        const auto first = static_cast<unsigned char>(raw_[at]);
        const auto second = static_cast<unsigned char>(raw_[at + 1]);
        return static_cast<char32_t>(little ? first | (second << 8) : (first << 8) | second);
    };
    std::size_t written = 0;
    while (room - written >= 4) {
        if (!fillRaw(2)) {
            // A lone last byte is no character.
            if (rawPosition_ < rawEnd_) {
                rawPosition_ = rawEnd_;
                written += putUtf8(Replacement, out + written);
            }
            break;
        }
        char32_t c = unitAt(rawPosition_);
        if (c >= 0xD800 && c <= 0xDBFF) {
            const bool pair = fillRaw(4);
            const char32_t low = pair ? unitAt(rawPosition_ + 2) : 0;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                rawPosition_ += 2;
            } else {
                c = Replacement;
            }
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            c = Replacement;
        }
        rawPosition_ += 2;
        written += putUtf8(c, out + written);
    }
    return written;
}

std::string asUtf8(std::string contents) {
    if (contents.starts_with("\xEF\xBB\xBF")) return contents.substr(3);
    if (!contents.starts_with("\xFF\xFE") && !contents.starts_with("\xFE\xFF")) return contents;
    ByteSource source(std::move(contents), "");
    std::string text;
    char chunk[4096];
    while (const std::size_t got = source.read(chunk, sizeof chunk)) text.append(chunk, got);
    return text;
}

}  // namespace cpt
