#pragma once
// Life tables asked from R: records from a data frame's columns or from
// files, run as cpt life-table runs them, R's interrupt key able to stop it.
#include <Rcpp.h>

#include "core/life/life_bootstrap.h"

namespace cptr {

// columns: a named list of character or numeric vectors (NULL: none);
// paths: record files read after them. settings: list(bootstrap, seed,
// cohort, female_offspring, zero_offspring, threads).
cpt::life::LifeResult runLifeRequest(SEXP columns, const std::vector<std::string>& paths, const Rcpp::List& settings);

// estimates, bootstrap, life_table (lists of columns) and notes.
Rcpp::List lifeColumns(const cpt::life::LifeResult& result);

using LifePointer = Rcpp::XPtr<cpt::life::LifeResult>;
LifePointer keepLife(cpt::life::LifeResult result);
// Throws UserError for a pointer that no longer holds a result.
const cpt::life::LifeResult& lifeOf(SEXP pointer);

}  // namespace cptr
