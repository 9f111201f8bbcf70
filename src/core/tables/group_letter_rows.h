#pragma once
// The letter rows of a run with five or more treatments, where no fixed table
// reaches: letters by the maximal groups of treatments that do not differ.
#include <optional>
#include <string>
#include <vector>

#include "core/tables/group_letters.h"

namespace cpt {

class PrintLine;
struct AnalysisState;

// The run's pair flags in pair order (1,2), (1,3), ..., true = significant.
std::vector<bool> pairSignificance(const AnalysisState& state);

// The letters of the run's treatments by the general rule (labels empty when
// the groups outnumber the letters).
GroupLettering groupLettering(const AnalysisState& state);

// The line that stands in the letter table instead of the rows when the
// groups outnumber the letters.
std::string tooManyGroupsLine(std::size_t groupCount);

// One letter row per treatment, or the one line when letters run out.
void writeGroupLetterRows(PrintLine& line, const AnalysisState& state);

}  // namespace cpt
