#pragma once
// Reads an input file as one sequence of fields separated by commas or line
// ends (LF or CR LF), blanks before a field skipped, text optionally in double
// quotes. Every complaint names the file, the field number and what was due.
//
// A file whose first line holds eight fields or more separated by semicolons
// is read with semicolons between fields and a decimal comma ("0,2134"), as
// spreadsheets write it where the comma is the decimal mark.
//
// The file is read as a stream through a buffer of bounded size, so memory
// never grows with the file; a field longer than MaxFieldLength is refused.
// It is read as UTF-8 through a ByteSource: a byte-order mark is not part of
// the first field, and UTF-16 with its mark is transcoded.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/byte_source.h"

namespace cpt {

class FieldReader {
public:
    static constexpr std::size_t MaxFieldLength = std::size_t{1} << 20;

    // Throws UserError when the file cannot be opened.
    static FieldReader fromFile(const std::filesystem::path& path);
    FieldReader(std::string contents, std::string displayName);

    // True when nothing but blanks and line ends is left.
    bool atEnd();

    // Each read throws UserError naming `what` when the file has ended, the
    // field is not of the expected kind, or the file cannot be read.
    std::string readText(std::string_view what);
    double readNumber(std::string_view what);
    std::int32_t readInteger(std::string_view what);
    // A field whose content does not matter.
    void skip(std::string_view what) { nextField(what); }

    // Number of the field read last (1 for the first field).
    long fieldNumber() const { return fieldNumber_; }
    // ',' or ';' (then with a decimal comma).
    char separator() const { return separator_; }
    const std::string& displayName() const { return displayName_; }

    [[noreturn]] void complain(std::string_view problem) const;

private:
    explicit FieldReader(ByteSource source);
    // The next field, valid until the next read.
    std::string_view nextField(std::string_view what);
    // Moves the unread rest to the front and reads more behind it; false when
    // nothing more came.
    bool refill();
    void detectSeparator();
    bool endsField(char c) const { return c == separator_ || c == '\n' || c == '\r'; }
    [[noreturn]] void complainTooLong(std::string_view what) const;

    std::unique_ptr<ByteSource> source_;  // none when the contents came whole
    std::vector<char> buffer_;
    std::size_t position_ = 0;  // next unread byte
    std::size_t end_ = 0;       // one past the last byte read
    bool exhausted_ = false;    // the file has no more bytes
    std::string displayName_;
    long fieldNumber_ = 0;
    char separator_ = ',';
};

// The separator of a described file from its first line: ';' when that line
// holds eight fields or more between semicolons outside quotes, else ','.
char describedSeparator(std::string_view start);

// An offending field as a message quotes it: at most 80 characters, then "…";
// a control character (C0, DEL, C1) or a byte that is no UTF-8 becomes U+FFFD.
std::string quotedExcerpt(std::string_view field);
// The same replacements, the whole text kept (a name a message repeats).
std::string printableText(std::string_view text);

}  // namespace cpt
