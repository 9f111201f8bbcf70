#pragma once
// The one call that turns an input file into a treatment. Only described
// bootstrap files are read so far; a reader of tables and workbooks takes
// the same options and replaces this call alone.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/analysis/treatment.h"

namespace cptr {

struct ReadOptions {
    std::string sheet;      // a workbook's sheet; empty: the first
    std::string parameter;  // a table's column of values; empty: the only one
    // By treatment name, for files that give none.
    std::map<std::string, std::int32_t> sampleSizes;
    std::map<std::string, double> estimates;
    cpt::Transformation transformation = cpt::Transformation::None;
};

// The treatments of one file (a described bootstrap file holds one), each
// with the absolute path as its source, as cpt names it. Throws UserError
// naming the file and the place.
std::vector<cpt::Treatment> readTreatments(const std::string& path, const ReadOptions& options);

}  // namespace cptr
