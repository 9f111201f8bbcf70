#pragma once
// The letters of a run's treatments, made in one place for every front end.
#include <vector>

#include "core/tables/group_letters.h"

namespace cpt {

// The letters of n treatments from their pair flags in pair order (1,2),
// (1,3), ..., true = significant: the fixed tables for 2 to 4 treatments, the
// general rule beyond (labels empty when the groups outnumber the letters).
GroupLettering letterTreatments(int treatmentCount, const std::vector<bool>& pairSignificant);

}  // namespace cpt
