#include "core/common/field_reader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/common/decimal_parse.h"
#include "core/common/number_format.h"
#include "core/common/rounding.h"
#include "core/common/user_error.h"

namespace cpt {
namespace {

constexpr std::size_t ChunkSize = std::size_t{256} << 10;
constexpr std::size_t ExcerptCharacters = 80;
constexpr int SemicolonHeadingFields = 8;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

// The length of the UTF-8 sequence that starts at `at`, 0 when it is none
// (a stray continuation byte, a cut or overlong sequence, a surrogate).
std::size_t utf8SequenceLength(std::string_view text, std::size_t at, char32_t& character) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        character = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(at + k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(at + k) & 0x3F);
    }
    constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    character = c;
    return length;
}

// At most `limit` characters, then "…".
std::string printableUpTo(std::string_view field, std::size_t limit) {
    // A field may be any bytes (a binary file read as text): a control
    // character or a byte that is no UTF-8 would reach a terminal or a
    // message box as it is, so each becomes U+FFFD.
    std::string excerpt;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < field.size();) {
        if (characters == limit) return excerpt + "\u2026";
        char32_t c = 0;
        const std::size_t length = utf8SequenceLength(field, i, c);
        const bool control = c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F);
        if (length == 0 || control) {
            excerpt += "\uFFFD";
            i += length == 0 ? 1 : length;
        } else {
            excerpt.append(field.substr(i, length));
            i += length;
        }
        ++characters;
    }
    return excerpt;
}

}  // namespace

std::string quotedExcerpt(std::string_view field) { return printableUpTo(field, ExcerptCharacters); }

std::string printableText(std::string_view text) {
    return printableUpTo(text, std::numeric_limits<std::size_t>::max());
}

char describedSeparator(std::string_view start) {
    int fields = 1;
    bool quoted = false;
    for (const char c : start) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (isLineEnd(c)) break;
        if (c == ';') ++fields;
    }
    return fields >= SemicolonHeadingFields ? ';' : ',';
}

FieldReader FieldReader::fromFile(const std::filesystem::path& path) {
    return FieldReader(ByteSource::fromFile(path));
}

FieldReader::FieldReader(ByteSource source)
    : source_(std::make_unique<ByteSource>(std::move(source))), buffer_(MaxFieldLength + ChunkSize),
      displayName_(source_->displayName()) {
    refill();
    detectSeparator();
}

FieldReader::FieldReader(std::string contents, std::string displayName) : displayName_(std::move(displayName)) {
    contents = asUtf8(std::move(contents));
    buffer_.assign(contents.begin(), contents.end());
    end_ = buffer_.size();
    exhausted_ = true;
    detectSeparator();
}

void FieldReader::detectSeparator() {
    separator_ = describedSeparator(std::string_view(buffer_.data() + position_, end_ - position_));
}

bool FieldReader::refill() {
    if (exhausted_) return false;
    const std::size_t rest = end_ - position_;
    if (position_ > 0) std::memmove(buffer_.data(), buffer_.data() + position_, rest);
    position_ = 0;
    end_ = rest;
    const std::size_t got = source_->read(buffer_.data() + end_, buffer_.size() - end_);
    end_ += got;
    if (got == 0) {
        exhausted_ = true;
        return false;
    }
    return true;
}

bool FieldReader::atEnd() {
    for (;;) {
        while (position_ < end_ && (isBlank(buffer_[position_]) || isLineEnd(buffer_[position_]))) ++position_;
        if (position_ < end_) return false;
        if (!refill()) return true;
    }
}

void FieldReader::complain(std::string_view problem) const {
    throw UserError("The file \"" + displayName_ + "\" cannot be used: " + std::string(problem));
}

void FieldReader::complainTooLong(std::string_view what) const {
    complain("field " + std::to_string(fieldNumber_) + " (" + std::string(what) + ") is longer than " +
             std::to_string(MaxFieldLength / (1 << 20)) + " MB.");
}

std::string_view FieldReader::nextField(std::string_view what) {
    // Blank lines between fields are passed over like blanks.
    if (atEnd()) {
        complain("it ends at field " + std::to_string(fieldNumber_ + 1) + ", where " + std::string(what) +
                 " was expected.");
    }
    ++fieldNumber_;
    const bool quoted = buffer_[position_] == '"';
    // Offsets from position_, which a refill moves.
    std::size_t scan = quoted ? 1 : 0;
    std::size_t close = 0;  // of the quote, when quoted
    bool closed = !quoted;
    for (;;) {
        const char* data = buffer_.data() + position_;
        const std::size_t available = end_ - position_;
        if (!closed) {
            const void* found = std::memchr(data + scan, '"', available - scan);
            if (found != nullptr) {
                close = static_cast<std::size_t>(static_cast<const char*>(found) - data);
                scan = close + 1;
                closed = true;
            } else {
                scan = available;
            }
        }
        if (closed) {
            while (scan < available && !endsField(data[scan])) ++scan;
            if (scan < available) break;
        }
        if (scan > MaxFieldLength + 2) complainTooLong(what);
        if (!refill()) {
            if (!closed) {
                complain("field " + std::to_string(fieldNumber_) + " (" + std::string(what) +
                         ") opens a double quote that is never closed.");
            }
            break;
        }
    }
    const char* data = buffer_.data() + position_;
    std::string_view field;
    if (quoted) {
        // Anything between the closing quote and the separator is dropped.
        field = std::string_view(data + 1, close - 1);
    } else {
        std::size_t length = scan;
        while (length > 0 && isBlank(data[length - 1])) --length;
        field = std::string_view(data, length);
    }
    if (field.size() > MaxFieldLength) complainTooLong(what);
    // Consume one separator: a comma (or semicolon), or a line end (CR LF counts as one).
    std::size_t next = position_ + scan;
    if (next < end_) {
        if (buffer_[next] == '\r') {
            ++next;
            // The LF of a CR LF may still be in the file; a refill moves the field.
            if (next == end_) {
                const std::size_t fieldStart = static_cast<std::size_t>(field.data() - buffer_.data()) - position_;
                const std::size_t keep = next - position_;
                refill();
                field = std::string_view(buffer_.data() + position_ + fieldStart, field.size());
                next = position_ + keep;
            }
            if (next < end_ && buffer_[next] == '\n') ++next;
        } else {
            ++next;
        }
    }
    position_ = next;
    return field;
}

std::string FieldReader::readText(std::string_view what) { return std::string(nextField(what)); }

double FieldReader::readNumber(std::string_view what) {
    std::string_view field = nextField(what);
    std::optional<double> value;
    if (separator_ == ';' && field.find(',') != std::string_view::npos) {
        std::string pointed(field);
        std::replace(pointed.begin(), pointed.end(), ',', '.');
        value = parseDecimalExactly(pointed);
    } else {
        value = parseDecimalExactly(field);
    }
    if (!value || !std::isfinite(*value)) {
        complain("field " + std::to_string(fieldNumber_) + " should be " + std::string(what) +
                 " (a number), but it holds \"" + quotedExcerpt(field) + "\".");
    }
    return *value;
}

std::int32_t FieldReader::readInteger(std::string_view what) {
    double value = readNumber(what);
    std::optional<std::int32_t> integer = toInt32(value);
    if (!integer) {
        complain("field " + std::to_string(fieldNumber_) + " should be " + std::string(what) +
                 " (a whole number), but it holds " + textNumber(value) + ".");
    }
    return *integer;
}

}  // namespace cpt
