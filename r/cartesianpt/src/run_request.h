#pragma once
// One Cartesian run asked from R: the treatment records and the settings,
// run with R's interrupt key able to stop it.
#include <Rcpp.h>

#include <atomic>
#include <memory>

#include "core/analysis/cartesian_engine.h"
#include "core/report/reported_test.h"

namespace cptr {

struct RunRequest {
    std::vector<cpt::Treatment> treatments;
    bool reversed = false;
    cpt::Transformation transformation = cpt::Transformation::None;
    int threads = 1;
};

// settings: list(reversed, transformation, threads).
RunRequest runRequest(const Rcpp::List& records, const Rcpp::List& settings);

// Throws Cancelled when the user interrupts R, UserError for treatments the
// test cannot take.
cpt::CartesianResult runRequested(const RunRequest& request, cpt::DifferenceSink* differences = nullptr);

// The request as the core takes it (no folder or code: those are the report's).
cpt::CartesianRequest cartesianRequest(const RunRequest& request);
// The user pressed R's interrupt key (asked only from R's thread).
bool userInterrupted();
// Ports whose progress sets cancel when the user interrupts R.
cpt::RunPorts interruptiblePorts(std::atomic<bool>& cancel);

using ResultPointer = Rcpp::XPtr<cpt::CartesianResult>;
ResultPointer keepResult(cpt::CartesianResult result);
bool holdsResult(SEXP pointer);
// The result a pointer holds; throws UserError for one that no longer holds
// any (a result saved and loaded again).
const cpt::CartesianResult& resultOf(SEXP pointer);

}  // namespace cptr
