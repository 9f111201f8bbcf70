#pragma once
// A text table read row by row: cells between a separator ("," ";" or tab,
// found from the header line) and line ends (LF, CR LF or CR), blanks around
// a cell dropped, a cell optionally in double quotes with "" for a quote
// inside. Read through a ByteSource (UTF-8 or UTF-16), in bounded memory.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/byte_source.h"
#include "core/input/table_treatments.h"

namespace cpt {

// The separator a header line uses: the most frequent of tab, ";" and ","
// outside quotes (a comma when it has none of them).
char tableSeparator(std::string_view headerLine);

class TextTableRows {
public:
    static constexpr std::size_t MaxCellLength = std::size_t{1} << 20;
    static constexpr std::size_t MaxColumns = 16384;  // as many as a worksheet has

    explicit TextTableRows(ByteSource source);

    // The next row, numbered from 1 as lines of the file (a line break inside
    // quotes continues the row); false at the end. Throws UserError at
    // unequal quotes.
    bool next();
    std::int64_t rowNumber() const { return row_; }
    std::span<const TableCell> cells() const { return {views_.data(), views_.size()}; }
    char separator() const { return separator_; }

private:
    bool fill();  // false when nothing more came
    [[noreturn]] void complain(const std::string& problem) const;
    std::string& nextCell();

    ByteSource source_;
    std::vector<char> buffer_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    bool exhausted_ = false;
    char separator_ = ',';
    std::int64_t row_ = 0;
    std::int64_t nextLine_ = 1;
    std::vector<std::string> texts_;  // kept between rows, for their room
    std::size_t used_ = 0;
    std::vector<TableCell> views_;
};

}  // namespace cpt
