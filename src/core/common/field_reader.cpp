#include "core/common/field_reader.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/common/decimal_parse.h"
#include "core/common/number_format.h"
#include "core/common/rounding.h"
#include "core/common/user_error.h"

namespace cpt {
namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\n' || c == '\r'; }
}  // namespace

FieldReader FieldReader::fromFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw UserError("The file \"" + path.string() + "\" cannot be opened: " + std::strerror(errno) + ".");
    }
    // In blocks: a copy through the stream buffer goes a character at a time.
    std::string contents;
    char block[1 << 16];
    while (in.read(block, sizeof block) || in.gcount() > 0) contents.append(block, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        throw UserError("The file \"" + path.string() + "\" cannot be read: " + std::strerror(errno) + ".");
    }
    return FieldReader(std::move(contents), path.string());
}

FieldReader::FieldReader(std::string contents, std::string displayName)
    : contents_(std::move(contents)), displayName_(std::move(displayName)) {}

bool FieldReader::atEnd() const {
    for (std::size_t i = position_; i < contents_.size(); ++i) {
        if (!isBlank(contents_[i]) && !isLineEnd(contents_[i])) return false;
    }
    return true;
}

void FieldReader::complain(std::string_view problem) const {
    throw UserError("The file \"" + displayName_ + "\" cannot be used: " + std::string(problem));
}

std::string FieldReader::nextField(std::string_view what) {
    // Blank lines between fields are passed over like blanks.
    while (position_ < contents_.size() && (isBlank(contents_[position_]) || isLineEnd(contents_[position_]))) {
        ++position_;
    }
    if (position_ >= contents_.size()) {
        complain("it ends at field " + std::to_string(fieldNumber_ + 1) + ", where " + std::string(what) +
                 " was expected.");
    }
    ++fieldNumber_;
    std::string field;
    if (contents_[position_] == '"') {
        std::size_t close = contents_.find('"', position_ + 1);
        if (close == std::string::npos) {
            complain("field " + std::to_string(fieldNumber_) + " (" + std::string(what) +
                     ") opens a double quote that is never closed.");
        }
        field = contents_.substr(position_ + 1, close - position_ - 1);
        position_ = close + 1;
        // Anything between the closing quote and the separator is dropped.
        while (position_ < contents_.size() && contents_[position_] != ',' && !isLineEnd(contents_[position_])) {
            ++position_;
        }
    } else {
        std::size_t start = position_;
        while (position_ < contents_.size() && contents_[position_] != ',' && !isLineEnd(contents_[position_])) {
            ++position_;
        }
        std::size_t end = position_;
        while (end > start && isBlank(contents_[end - 1])) --end;
        field = contents_.substr(start, end - start);
    }
    // Consume one separator: a comma, or a line end (CR LF counts as one).
    if (position_ < contents_.size()) {
        if (contents_[position_] == ',') {
            ++position_;
        } else if (contents_[position_] == '\r') {
            ++position_;
            if (position_ < contents_.size() && contents_[position_] == '\n') ++position_;
        } else if (contents_[position_] == '\n') {
            ++position_;
        }
    }
    return field;
}

std::string FieldReader::readText(std::string_view what) { return nextField(what); }

double FieldReader::readNumber(std::string_view what) {
    std::string field = nextField(what);
    std::optional<double> value = parseDecimalExactly(field);
    if (!value || !std::isfinite(*value)) {
        complain("field " + std::to_string(fieldNumber_) + " should be " + std::string(what) +
                 " (a number), but it holds \"" + field + "\".");
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
