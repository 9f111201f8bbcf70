#include "core_call.h"

namespace cptr {

Rcpp::List failure(const std::string& kind, const std::string& message) {
    // The core's messages are UTF-8, whatever R's locale.
    Rcpp::List value =
        Rcpp::List::create(Rcpp::Named("kind") = kind, Rcpp::Named("message") = Rcpp::String(message, CE_UTF8));
    value.attr("class") = "cpt_failure";
    return value;
}

}  // namespace cptr
