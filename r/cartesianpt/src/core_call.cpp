#include "core_call.h"

namespace cptr {

Rcpp::List failure(const std::string& kind, const std::string& message) {
    Rcpp::List value = Rcpp::List::create(Rcpp::Named("kind") = kind, Rcpp::Named("message") = message);
    value.attr("class") = "cpt_failure";
    return value;
}

}  // namespace cptr
