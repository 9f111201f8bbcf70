#pragma once
// Reads an input file as one sequence of fields separated by commas or line
// ends (LF or CR LF), blanks before a field skipped, text optionally in double
// quotes. Every complaint names the file, the field number and what was due.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace cpt {

class FieldReader {
public:
    // Throws UserError when the file cannot be opened or read.
    static FieldReader fromFile(const std::filesystem::path& path);
    FieldReader(std::string contents, std::string displayName);

    // True when nothing but blanks and line ends is left.
    bool atEnd() const;

    // Each read throws UserError naming `what` when the file has ended or the
    // field is not of the expected kind.
    std::string readText(std::string_view what);
    double readNumber(std::string_view what);
    std::int32_t readInteger(std::string_view what);
    // A field whose content does not matter.
    void skip(std::string_view what) { readText(what); }

    // Number of the field read last (1 for the first field).
    long fieldNumber() const { return fieldNumber_; }
    const std::string& displayName() const { return displayName_; }

    [[noreturn]] void complain(std::string_view problem) const;

private:
    std::string nextField(std::string_view what);

    std::string contents_;
    std::string displayName_;
    std::size_t position_ = 0;
    long fieldNumber_ = 0;
};

}  // namespace cpt
