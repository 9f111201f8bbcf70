#pragma once
// The rows of the preliminary letter table: each treatment's name, original
// value, SE and letters.
#include <string>
#include <string_view>

namespace cpt {

class PrintLine;
struct CartesianResult;
struct TreatmentStatistics;

// Name, original value, SE and label; the label's letter stands in column 66.
void writeLetterRow(PrintLine& line, const TreatmentStatistics& treatment, std::string_view label);

// One row per treatment, or the one line that says the letters ran out.
void writeLetterRows(PrintLine& line, const CartesianResult& result);

// The line that stands instead of the rows when the groups outnumber the letters.
std::string tooManyGroupsLine(std::size_t groupCount);

}  // namespace cpt
