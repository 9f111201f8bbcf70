#include "run_request.h"

#include <atomic>
#include <thread>

#include "core/common/user_error.h"
#include "treatment_records.h"

namespace cptr {
namespace {

void checkInterrupt(void*) { R_CheckUserInterrupt(); }

}  // namespace

// R_CheckUserInterrupt jumps out of its caller: only through R_ToplevelExec
// is it safe among C++ frames.
bool userInterrupted() { return R_ToplevelExec(checkInterrupt, nullptr) == FALSE; }

RunRequest runRequest(const Rcpp::List& records, const Rcpp::List& settings) {
    RunRequest request;
    request.treatments = treatmentsFrom(records);
    request.reversed = Rcpp::as<bool>(settings["reversed"]);
    request.transformation = transformationNamed(Rcpp::as<std::string>(settings["transformation"]));
    request.threads = Rcpp::as<int>(settings["threads"]);
    return request;
}

cpt::CartesianResult runRequested(const RunRequest& request, cpt::DifferenceSink* differences) {
    std::atomic<bool> cancel{false};
    cpt::RunPorts ports = interruptiblePorts(cancel);
    return cpt::runCartesianTest(request.treatments, cpt::cartesianSettings(cartesianRequest(request), ports, differences));
}

cpt::CartesianRequest cartesianRequest(const RunRequest& request) {
    cpt::CartesianRequest typed;
    typed.reversed = request.reversed;
    typed.transformation = request.transformation;
    typed.threads = request.threads;
    return typed;
}

cpt::RunPorts interruptiblePorts(std::atomic<bool>& cancel) {
    cpt::RunPorts ports;
    ports.cancel = &cancel;
    ports.progress = [&cancel, rThread = std::this_thread::get_id()](const cpt::PairProgress&) {
        // R may be asked only from its own thread.
        if (std::this_thread::get_id() == rThread && userInterrupted()) cancel = true;
    };
    return ports;
}

ResultPointer keepResult(cpt::CartesianResult result) {
    return ResultPointer(new cpt::CartesianResult(std::move(result)), true);
}

bool holdsResult(SEXP pointer) { return TYPEOF(pointer) == EXTPTRSXP && R_ExternalPtrAddr(pointer) != nullptr; }

const cpt::CartesianResult& resultOf(SEXP pointer) {
    if (!holdsResult(pointer)) {
        throw cpt::UserError("The result holds no run any more; run cartesian_test() again.");
    }
    return *static_cast<cpt::CartesianResult*>(R_ExternalPtrAddr(pointer));
}

}  // namespace cptr
