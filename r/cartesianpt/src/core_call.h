#pragma once
// Every call into the core goes through guarded(): a C++ exception comes back
// as a plain value that the R side raises as a condition, so no exception
// leaves C++ and no R error jumps over C++ frames.
#include <Rcpp.h>

#include <exception>
#include <new>
#include <string>

#include "core/common/user_error.h"

namespace cptr {

// A list of class "cpt_failure": the kind ("input", "cancelled", "memory",
// "internal") and cpt's message.
Rcpp::List failure(const std::string& kind, const std::string& message);

template <typename Body>
SEXP guarded(Body body) {
    try {
        return Rcpp::wrap(body());
    } catch (const cpt::UserError& error) {
        return failure("input", error.what());
    } catch (const cpt::Cancelled&) {
        return failure("cancelled", "The Cartesian paired test was interrupted; it ended without a result.");
    } catch (const std::bad_alloc&) {
        return failure("memory", "The Cartesian paired test stopped: there is not enough memory for these treatments.");
    } catch (const std::exception& error) {
        return failure("internal", std::string("The Cartesian paired test stopped: ") + error.what());
    } catch (...) {
        return failure("internal", "The Cartesian paired test stopped for an unknown reason.");
    }
}

}  // namespace cptr
