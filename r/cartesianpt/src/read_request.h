#pragma once
// read_bootstrap()'s arguments as the readers' options. On the R side they
// are a list of sheet and parameter (NULL or one string), sample_sizes and
// estimates (NULL or numbers named by treatment), sample_size (NULL or the
// one number for every other treatment) and every_parameter.
#include <Rcpp.h>

#include "core/input/read_options.h"

namespace cptr {

// The R side has checked the kinds and ranges. cpt's wording is kept, so the
// messages are cpt's own.
cpt::ReadOptions readOptionsFrom(const Rcpp::List& options, cpt::Transformation transformation);

}  // namespace cptr
