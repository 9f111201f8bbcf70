#include "read_request.h"

#include <optional>
#include <string>

namespace cptr {
namespace {

std::optional<std::string> optionalText(const Rcpp::List& options, const char* field) {
    if (!options.containsElementNamed(field) || Rf_isNull(options[field])) return std::nullopt;
    return Rcpp::as<std::string>(options[field]);
}

template <typename Value, typename Map>
void takeNamed(const Rcpp::List& options, const char* field, Map& into) {
    if (!options.containsElementNamed(field) || Rf_isNull(options[field])) return;
    const Rcpp::NumericVector numbers = options[field];
    const Rcpp::CharacterVector names = numbers.names();
    for (R_xlen_t k = 0; k < numbers.size(); ++k) {
        into[Rcpp::as<std::string>(names[k])] = static_cast<Value>(numbers[k]);
    }
}

}  // namespace

cpt::ReadOptions readOptionsFrom(const Rcpp::List& options, cpt::Transformation transformation) {
    cpt::ReadOptions read;
    read.sheet = optionalText(options, "sheet");
    read.parameter = optionalText(options, "parameter");
    takeNamed<std::int32_t>(options, "sample_sizes", read.sampleSizes);
    takeNamed<double>(options, "estimates", read.estimates);
    if (options.containsElementNamed("sample_size") && !Rf_isNull(options["sample_size"])) {
        read.sampleSize = static_cast<std::int32_t>(Rcpp::as<double>(options["sample_size"]));
    }
    read.everyParameter =
        options.containsElementNamed("every_parameter") && Rcpp::as<bool>(options["every_parameter"]);
    read.transformation = transformation;
    return read;
}

}  // namespace cptr
