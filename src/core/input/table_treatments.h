#pragma once
// Treatments from a table, row by row, whatever the table was stored in (a
// text table or a worksheet). The first row is the header:
//  - wide: one treatment per named column, its values down to the last
//    non-empty cell; a first column without a name (row names) is skipped;
//  - long: columns "treatment" and "value" (any letter case), optionally
//    "parameter", "n" and "estimate", one value per row.
// Treatments come in the order of their columns, or of their first rows.
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/analysis/treatment.h"
#include "core/input/read_options.h"

namespace cpt {

struct TableCell {
    std::int32_t column = 0;  // 1 for the first
    std::string_view text;    // empty: an empty cell
};

// Where a table's rows go, whichever source reads them (a text table, a
// worksheet): rows in their order, numbered as the file counts them (the
// header's number first); cells in column order, empty ones may be left out.
class TableRowSink {
public:
    virtual ~TableRowSink() = default;
    // Throws UserError at the first bad cell.
    virtual void addRow(std::int64_t row, std::span<const TableCell> cells) = 0;
};

// How the table's places and treatments are named in messages and sources.
struct TableOrigin {
    std::string displayName;  // the file, as messages name it
    std::string defaultCode;  // the file's name without its extension
    std::string sheet;        // a worksheet's name; empty for a text table
    char decimalMark = '.';
};

// The one parameter to take of those the treatments carry (in their order):
// the one the options name, or the only one there is. Throws UserError when
// the named one is missing or several are there and none is named.
std::string chooseParameter(std::span<const std::string> codes, const std::string& fileName,
                            const ReadOptions& options);
// The treatments of that parameter.
std::vector<Treatment> selectParameter(std::vector<Treatment> treatments, const std::string& fileName,
                                       const ReadOptions& options);

// "A", ..., "Z", "AA", ...
std::string columnLetters(std::int32_t column);

class TableTreatments : public TableRowSink {
public:
    // A treatment holds fewer than valueCapacity values (a test takes a
    // smaller capacity, to reach it with a few).
    TableTreatments(TableOrigin origin, const ReadOptions& options, std::int64_t valueCapacity = ValueCapacity);

    // Rows in their order, numbered as the file counts them (the header's
    // number first); cells in column order, empty ones may be left out.
    // Throws UserError at the first bad cell.
    void addRow(std::int64_t row, std::span<const TableCell> cells) override;
    // The treatments of the table's one parameter (see chooseParameter), checked.
    // Throws UserError.
    std::vector<Treatment> finish();

private:
    struct Column {
        std::string name;
        std::int32_t column = 0;
        BootstrapValues values;
        std::int64_t lastRow = 0;  // of its last value
    };
    struct LongTreatment {
        Treatment treatment;
        std::int64_t firstRow = 0;
        std::optional<std::int32_t> sampleSize;
        std::optional<double> estimate;
    };

    void readHeader(std::int64_t row, std::span<const TableCell> cells);
    void addWideRow(std::int64_t row, std::span<const TableCell> cells);
    void addLongRow(std::int64_t row, std::span<const TableCell> cells);
    double valueOf(std::int64_t row, std::int32_t column, std::string_view text, const std::string& treatment,
                   Transformation transformation) const;
    std::string place(std::int64_t row, std::int32_t column) const;
    std::string columnSource(const Column& column) const;
    void complete(Treatment& treatment, std::optional<std::int32_t> sampleSize,
                  std::optional<double> estimate) const;
    [[noreturn]] void complain(const std::string& problem) const;

    TableOrigin origin_;
    const ReadOptions& options_;
    std::int64_t valueCapacity_;
    bool headerRead_ = false;
    std::int64_t headerRow_ = 0;
    bool long_ = false;
    // Wide: the named columns. Long: the columns' places (0 when absent).
    std::vector<Column> columns_;
    std::int32_t lastNamedColumn_ = 0;
    std::int32_t treatmentColumn_ = 0, valueColumn_ = 0, parameterColumn_ = 0, sizeColumn_ = 0, estimateColumn_ = 0;
    std::vector<LongTreatment> longTreatments_;
    std::map<std::pair<std::string, std::string>, std::size_t, std::less<>> longIndex_;  // (code, name)
};

}  // namespace cpt
