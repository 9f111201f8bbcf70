#pragma once
// Reading the data file of a sort-and-count: the heading fields of its kind and
// the values, which go to positions 1..valueCount of the given array.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/state/analysis_state.h"

namespace cpt {

// The three kinds of data file, as the first question names them.
inline constexpr std::string_view GeneralKind = "General";
inline constexpr std::string_view BootKind = "Boot";
inline constexpr std::string_view ResultsKind = "PBT or CPT results";

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
    std::int32_t valueCount = 0;
    // Sum of the values in reading order.
    double total = 0;
    // total / valueCount; the exact mean when that sum overflows.
    double mean = 0;
};

// Throws UserError naming the file and what was due when the file cannot be
// read, ends inside its heading, gives a sample size below 1, holds a field
// of the wrong kind, or holds no values at all.
DataFileContents readDataFile(const std::filesystem::path& path, std::string_view kind, bool serialNumbers,
                              ValueArray<double>& values);

}  // namespace cpt
