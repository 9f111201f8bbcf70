#include "core/input/text_table.h"

#include <array>

#include "core/common/field_reader.h"
#include "core/common/user_error.h"

namespace cpt {
namespace {

constexpr std::size_t ChunkSize = std::size_t{256} << 10;

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

}  // namespace

char tableSeparator(std::string_view headerLine) {
    constexpr std::array<char, 3> candidates = {'\t', ';', ','};
    std::array<std::size_t, 3> counts{};
    bool quoted = false;
    for (const char c : headerLine) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (isLineEnd(c)) break;
        for (std::size_t i = 0; i < candidates.size(); ++i) counts[i] += c == candidates[i];
    }
    char separator = ',';
    std::size_t most = 0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (counts[i] > most) {
            most = counts[i];
            separator = candidates[i];
        }
    }
    return separator;
}

TextTableRows::TextTableRows(ByteSource source) : source_(std::move(source)), buffer_(ChunkSize) {
    fill();
    separator_ = tableSeparator(std::string_view(buffer_.data(), end_));
}

bool TextTableRows::fill() {
    if (exhausted_) return false;
    position_ = 0;
    end_ = source_.read(buffer_.data(), buffer_.size());
    if (end_ == 0) exhausted_ = true;
    return end_ > 0;
}

void TextTableRows::complain(const std::string& problem) const {
    throw UserError("The file \"" + source_.displayName() + "\" cannot be used: " + problem);
}

std::string& TextTableRows::nextCell() {
    if (used_ == texts_.size()) texts_.emplace_back();
    std::string& cell = texts_[used_++];
    cell.clear();
    return cell;
}

bool TextTableRows::next() {
    used_ = 0;
    if (position_ == end_ && !fill()) return false;
    row_ = nextLine_;
    const char separator = separator_;
    auto isBlank = [separator](char c) { return c == ' ' || (c == '\t' && separator != '\t'); };
    auto atEnd = [this] { return position_ == end_ && !fill(); };
    auto where = [this] {
        return "row " + std::to_string(row_) + ", column " + std::to_string(used_);
    };
    for (;;) {
        if (used_ == MaxColumns) {
            complain("row " + std::to_string(row_) + " has more than " + std::to_string(MaxColumns) + " cells.");
        }
        std::string& cell = nextCell();
        while (!atEnd() && isBlank(buffer_[position_])) ++position_;
        if (!atEnd() && buffer_[position_] == '"') {
            ++position_;
            for (;;) {
                if (atEnd()) complain(where() + " opens a double quote that is never closed.");
                const char c = buffer_[position_++];
                if (c == '"') {
                    if (atEnd() || buffer_[position_] != '"') break;
                    ++position_;  // "" stands for one quote
                } else if (c == '\n' || (c == '\r' && (atEnd() || buffer_[position_] != '\n'))) {
                    ++nextLine_;
                }
                cell.push_back(c);
                if (cell.size() > MaxCellLength) complain(where() + " is longer than 1 MB.");
            }
            while (!atEnd() && isBlank(buffer_[position_])) ++position_;
            if (!atEnd() && buffer_[position_] != separator && !isLineEnd(buffer_[position_])) {
                std::string after;
                while (!atEnd() && buffer_[position_] != separator && !isLineEnd(buffer_[position_]) &&
                       after.size() < 100) {
                    after.push_back(buffer_[position_++]);
                }
                complain(where() + " has \"" + quotedExcerpt(after) +
                         "\" after its closing double quote; a quote inside a quoted cell is written twice (\"\").");
            }
        } else {
            for (;;) {
                const char* data = buffer_.data();
                std::size_t i = position_;
                while (i < end_ && data[i] != separator && !isLineEnd(data[i])) ++i;
                cell.append(data + position_, i - position_);
                position_ = i;
                if (cell.size() > MaxCellLength) complain(where() + " is longer than 1 MB.");
                if (i < end_ || !fill()) break;
            }
            while (!cell.empty() && isBlank(cell.back())) cell.pop_back();
        }
        if (atEnd()) break;
        const char c = buffer_[position_++];
        if (c == separator) continue;
        ++nextLine_;
        if (c == '\r' && !atEnd() && buffer_[position_] == '\n') ++position_;
        break;
    }
    views_.resize(used_);
    for (std::size_t i = 0; i < used_; ++i) {
        views_[i] = TableCell{static_cast<std::int32_t>(i + 1), texts_[i]};
    }
    return true;
}

}  // namespace cpt
