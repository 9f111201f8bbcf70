#pragma once
// Treatments between R and the core. On the R side a treatment is a list
// with name, code, n, estimate, values, ordering_mean (NULL: the plain mean),
// transformation ("none", "arcsine", "logit"), source and, when read from a
// file, file (its absolute path).
#include <Rcpp.h>

#include <string>
#include <vector>

#include "core/analysis/treatment.h"

namespace cptr {

// Throws UserError for a name "none", "arcsine" or "logit" does not cover.
cpt::Transformation transformationNamed(const std::string& name);
std::string transformationName(cpt::Transformation transformation);

// Throws UserError naming the treatment and the value for a value that is
// not a number or beyond the magnitude a bootstrap file may hold.
std::vector<cpt::Treatment> treatmentsFrom(const Rcpp::List& records);
Rcpp::List recordOf(const cpt::Treatment& treatment, const std::string& file);

}  // namespace cptr
