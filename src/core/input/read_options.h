#pragma once
// What the caller adds to a table's own columns, and how the messages name
// the caller's controls (cpt's options by default; the web page and other
// front ends put their own words in).
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/analysis/transformation.h"
#include "core/common/capacities.h"

namespace cpt {

struct ReadWording {
    std::string parameter = "--parameter";
    std::string sheet = "--sheet";
    std::string sampleSize = "--sample-size";
    std::string estimate = "--estimate";
};

struct ReadOptions {
    // The parameter code of a table without a parameter column, or the one
    // parameter to take from a table that has one.
    std::optional<std::string> parameter;
    // A long table of several parameters gives them all (a study), instead
    // of asking which one.
    bool everyParameter = false;
    std::optional<std::string> sheet;  // of an .xlsx workbook; none: the first
    // By treatment name; the table's own n and estimate columns come first.
    std::map<std::string, std::int32_t, std::less<>> sampleSizes;
    std::optional<std::int32_t> sampleSize;  // for every treatment not in the map
    std::map<std::string, double, std::less<>> estimates;
    Transformation transformation = Transformation::None;
    // For a front end that asks its user: a treatment whose n or estimate
    // neither the table nor the above gives is not refused but comes back
    // marked (Treatment::sampleSizeMissing, estimateMissing).
    bool leaveMissingOpen = false;
    ReadWording wording;
};

// A sample size as a user gives it by text: a whole number of at least 1.
std::optional<std::int32_t> sampleSizeOf(std::string_view text);

// Every treatment the options give a sample size or estimate by name must be
// among those read. Throws UserError naming the first that is not, with the
// wording's name for the answer.
void requireNamedTreatments(std::span<const std::string> namesRead, const ReadOptions& options);

}  // namespace cpt
