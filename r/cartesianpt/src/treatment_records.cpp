#include "treatment_records.h"

#include <cmath>

#include "core/common/number_format.h"
#include "core/common/user_error.h"
#include "core/input/treatment_file.h"

namespace cptr {
namespace {

std::string textField(const Rcpp::List& record, const char* field) {
    const Rcpp::CharacterVector text = record[field];
    return text.size() == 0 || text[0] == NA_STRING ? std::string() : Rcpp::as<std::string>(text[0]);
}

std::string labelOf(std::size_t place, const cpt::Treatment& treatment) {
    return "Treatment " + std::to_string(place) + " (\"" + treatment.name + "\")";
}

}  // namespace

cpt::Transformation transformationNamed(const std::string& name) {
    if (name == "none") return cpt::Transformation::None;
    if (name == "arcsine") return cpt::Transformation::Arcsine;
    if (name == "logit") return cpt::Transformation::Logit;
    throw cpt::UserError("The transformation is \"none\", \"arcsine\" or \"logit\", not \"" + name + "\".");
}

std::string transformationName(cpt::Transformation transformation) {
    switch (transformation) {
        case cpt::Transformation::Arcsine: return "arcsine";
        case cpt::Transformation::Logit: return "logit";
        default: return "none";
    }
}

std::vector<cpt::Treatment> treatmentsFrom(const Rcpp::List& records) {
    std::vector<cpt::Treatment> treatments;
    treatments.reserve(records.size());
    for (R_xlen_t t = 0; t < records.size(); ++t) {
        const Rcpp::List record = records[t];
        cpt::Treatment treatment;
        treatment.name = textField(record, "name");
        treatment.code = textField(record, "code");
        treatment.source = textField(record, "source");
        treatment.sampleSize = Rcpp::as<std::int32_t>(record["n"]);
        treatment.estimate = Rcpp::as<double>(record["estimate"]);
        treatment.transformation = transformationNamed(textField(record, "transformation"));
        if (!Rf_isNull(record["ordering_mean"])) treatment.orderingMean = Rcpp::as<double>(record["ordering_mean"]);
        const Rcpp::NumericVector values = record["values"];
        treatment.values.reserve(static_cast<std::size_t>(values.size()));
        for (R_xlen_t k = 0; k < values.size(); ++k) {
            const double x = values[k];
            // The same bound as a bootstrap file's: the exact sums rely on it.
            if (!std::isfinite(x) || std::fabs(x) > cpt::MaxValueMagnitude) {
                const std::string shown = std::isnan(x) ? "NA" : cpt::textNumber(x);
                throw cpt::UserError(labelOf(static_cast<std::size_t>(t) + 1, treatment) + ": bootstrap value " +
                                     std::to_string(k + 1) + " is " + shown +
                                     ", but a bootstrap value must lie between -1E+150 and 1E+150.");
            }
            treatment.values.push_back(x);
        }
        treatments.push_back(std::move(treatment));
    }
    return treatments;
}

Rcpp::List recordOf(const cpt::Treatment& treatment, const std::string& file) {
    // The readers give UTF-8 (a UTF-16 file's names too), whatever R's locale.
    const auto utf8 = [](const std::string& text) { return Rcpp::String(text, CE_UTF8); };
    return Rcpp::List::create(
        Rcpp::Named("name") = utf8(treatment.name), Rcpp::Named("code") = utf8(treatment.code),
        Rcpp::Named("n") = treatment.sampleSize, Rcpp::Named("estimate") = treatment.estimate,
        Rcpp::Named("values") = Rcpp::NumericVector(treatment.values.begin(), treatment.values.end()),
        Rcpp::Named("ordering_mean") =
            treatment.orderingMean ? Rcpp::wrap(*treatment.orderingMean) : R_NilValue,
        Rcpp::Named("transformation") = transformationName(treatment.transformation),
        Rcpp::Named("source") = utf8(treatment.source), Rcpp::Named("file") = file);
}

}  // namespace cptr
