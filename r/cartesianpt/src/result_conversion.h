#pragma once
// A Cartesian result as R lists of columns: the numbers of cpt's --json
// document, each the same double.
#include <Rcpp.h>

#include "core/analysis/cartesian_result.h"

namespace cptr {

// list(treatments = columns, pairs = columns, F, df_between, df_within,
// sidak_alpha, parameter).
Rcpp::List resultColumns(const cpt::CartesianResult& result);

}  // namespace cptr
