#pragma once
#include <optional>
#include <string_view>
// The sort-and-count as calls: a data file in, its values in ascending order
// with their rows, and the class table, out. It asks nothing and writes no
// file; sort_count_files.h writes the three files from the result.
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/common/large_block.h"
#include "core/sorting/data_file_reading.h"
#include "core/sorting/sort_count_kind.h"

namespace cpt {

// What the user is told when a sort-and-count runs out of memory.
inline constexpr const char* OutOfMemoryMessage =
    "The sort-and-count stopped: there is not enough memory for the values of this data file.";

using RowNumbers = std::vector<std::int32_t, LargeBlockAllocator<std::int32_t>>;
using ClassCounts = std::vector<std::int32_t, LargeBlockAllocator<std::int32_t>>;

struct SortCountSettings {
    SortCountKind kind = SortCountKind::Bootstrap;
    // Each value of the file follows its serial number.
    bool serialNumbers = false;
    // Decimals kept, -1 to 5 (a fraction scales by its power of ten too); -1
    // keeps the values as read.
    double decimalLimit = -1;
};

// Values in ascending order, each with the row (from 1) it stood at in the file.
struct SortedRows {
    SortCountValues values;
    RowNumbers rows;
};

// The distinct values of sorted data: class k holds counts[k] values, the
// first of them values[k], each within 10^-12 of that first one.
struct SortCountClasses {
    SortCountValues values;
    ClassCounts counts;
};

// What the headings print: everything but the arrays.
struct SortCountSummary {
    SortCountKind kind = SortCountKind::Bootstrap;
    DataFileHeading heading;
    std::int32_t valueCount = 0;
    // Sum of the values as read (before any rounding), in reading order.
    double total = 0;
    double mean = 0;
    double decimalLimit = -1;
};

struct SortCountResult : SortCountSummary {
    SortedRows sorted;
    SortCountClasses classes;
};

// Throws UserError naming the file when it cannot be read, ends inside its
// heading, holds a field of the wrong kind or no values at all.
SortCountResult runSortCount(const std::filesystem::path& dataPath, const SortCountSettings& settings);

// The steps of runSortCount, for a caller that has something to do between them.
SortCountSummary summaryOf(const DataFileContents& contents, SortCountKind kind, double decimalLimit);
// Rounds every value to the decimal limit and sorts; the values' memory
// serves as the sort's work area.
SortedRows sortWithRowNumbers(SortCountValues values, double decimalLimit);
SortCountClasses countClasses(std::span<const double> sorted);

// For a caller keeping its own class table: the number of classes, then the
// table itself into spans of that length.
std::int32_t classTotalOf(std::span<const double> sorted);
void countClassesInto(std::span<const double> sorted, std::span<double> classValues, std::span<double> classCounts);

// Rounds to `decimals` places as floor(v * 10^d + 0.5) / 10^d, in Double;
// -1 keeps the value.
double limitDecimals(double value, double decimals);

// The decimals a sort-and-count may keep, -1 (all) to 5, as the user typed
// them; nothing for any other text.
std::optional<double> decimalLimitOf(std::string_view text);

}  // namespace cpt
