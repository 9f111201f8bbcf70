#pragma once
// A study's treatments grouped for its Cartesian runs: one group per
// parameter (the treatment's code), in the order each parameter first
// appears, its treatments in the order given.
#include <span>
#include <string>
#include <vector>

#include "core/analysis/treatment.h"
#include "core/study/study_table.h"

namespace cpt {

struct StudyParameterGroup {
    std::string parameter;
    std::vector<Treatment> treatments;
};

// Throws UserError, naming the sources, for a treatment without a code, a
// (parameter, treatment) given twice, or a parameter with fewer than 2 or
// more than TreatmentCapacity treatments.
std::vector<StudyParameterGroup> groupByParameter(std::vector<Treatment> treatments);

// The table's own checks (order, digits) on the groups' names alone, so that
// a study is refused before its first run rather than after its last.
void checkStudyOptions(std::span<const StudyParameterGroup> groups, const StudyOptions& options);

}  // namespace cpt
