#pragma once
// The lines under a study table.
#include <span>
#include <string>
#include <vector>

#include "core/study/study_table.h"

namespace cpt {

// "200" when all the run's treatments have B = 200, "199 to 200" when they
// differ; the run's own bootstrap note when it has one.
std::string bootstrapText(const StudyParameterRun& run);

// What the values are, with B once when every parameter shares it and per
// parameter otherwise ("B = 200 for r and lambda; B = 1000 for R0"); then a
// line for each parameter whose groups outnumber the letters.
std::vector<std::string> studyNote(std::span<const StudyParameterRun> runs);

// That line for one parameter; empty when it has letters or needs none.
std::string noLettersLine(const StudyParameterRun& run);

}  // namespace cpt
