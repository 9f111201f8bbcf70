#pragma once
// Reading the data file of a sort-and-count: the heading fields of its kind and
// the values in the file's order.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/common/large_block.h"
#include "core/sorting/sort_count_kind.h"

namespace cpt {

// Millions of them: the memory comes in large blocks.
using SortCountValues = std::vector<double, LargeBlockAllocator<double>>;

struct DataFileHeading {
    // General data files.
    std::string projectName;
    // Bootstrap result files.
    std::string treatmentName;
    std::int32_t sampleSize = 0;
    std::int32_t bootstrapNumber = 0;
    std::string sampleSizeOrMean;
    double pointEstimate = 0;
    // Both.
    std::string code;
};

struct DataFileContents {
    DataFileHeading heading;
    // Row r of the file (from 1) at position r - 1.
    SortCountValues values;
    // Sum of the values in reading order.
    double total = 0;
    // total / the number of values; the exact mean when that sum overflows.
    double mean = 0;
};

// Throws UserError naming the file and what was due when the file cannot be
// read, ends inside its heading, gives a sample size below 1, holds a field
// of the wrong kind, or holds no values at all.
DataFileContents readDataFile(const std::filesystem::path& path, SortCountKind kind, bool serialNumbers);

}  // namespace cpt
