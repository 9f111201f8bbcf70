#pragma once
// The three files a sort-and-count writes beside its data file: the sorted
// values with their row numbers, the rows at the 0.025, 0.5 and 0.975
// positions, and the class counts.
#include <cstdint>
#include <span>
#include <string>

#include "core/sorting/sort_count_analysis.h"

namespace cpt {

struct SortCountFileNames {
    std::string sorted;
    std::string percentile;
    std::string counts;
};

// The outputs go beside the data file: its path without the extension (the
// text after the last dot of the file's own name), or the whole path when
// the name has none.
std::string outputPrefixOf(const std::string& dataPath);

// Built from the prefix, the data set's code and the decimal limit (-1: values as read).
SortCountFileNames sortCountFileNames(const std::string& outputPrefix, const std::string& code, double decimalLimit);
SortCountFileNames sortCountFileNames(const std::string& dataPath, const SortCountSummary& summary);

// What the headings print besides the data file's own fields.
struct SortCountHeadingText {
    // A bootstrap run prints the project of the last general run.
    std::string projectName;
    std::string versionText;
};

// A run on its own: a general file's project, none for the other kinds, and
// this edition's version.
SortCountHeadingText headingTextOf(const SortCountSummary& summary);

// Each throws UserError naming the file and the reason when it cannot be
// written, and then leaves no half-written file of its own behind.
void writeSortedAndPercentileFiles(const SortCountSummary& summary, const SortCountHeadingText& text,
                                   std::span<const double> sortedValues, std::span<const std::int32_t> sortedRows,
                                   const SortCountFileNames& names);

// Written after the other two, which stand or fall with it: when it cannot be
// written they are removed as well, and the message says so.
void writeCountsFile(const SortCountSummary& summary, const SortCountHeadingText& text,
                     std::span<const double> classValues, std::span<const double> classCounts,
                     const SortCountFileNames& names);
void writeCountsFile(const SortCountSummary& summary, const SortCountHeadingText& text,
                     const SortCountClasses& classes, const SortCountFileNames& names);

// All three, in that order.
void writeSortCountFiles(const SortCountResult& result, const SortCountHeadingText& text,
                         const SortCountFileNames& names);

}  // namespace cpt
