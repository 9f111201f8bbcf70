#include "result_conversion.h"

namespace cptr {
namespace {

Rcpp::List treatmentColumns(const cpt::CartesianResult& result) {
    const std::size_t count = result.treatments.size();
    // No letters when the groups outnumber them.
    const std::vector<std::string>& labels = result.letters.labels;
    Rcpp::IntegerVector number(count), entry(count), n(count), b(count);
    Rcpp::CharacterVector name(count), code(count), letters(count), source(count);
    Rcpp::NumericVector estimate(count), mean(count), se(count);
    for (std::size_t t = 0; t < count; ++t) {
        const cpt::TreatmentStatistics& s = result.treatments[t];
        number[t] = static_cast<int>(t) + 1;
        entry[t] = s.entry + 1;
        name[t] = s.name;
        code[t] = s.code;
        n[t] = s.sampleSize;
        b[t] = s.bootstrapNumber;
        estimate[t] = s.estimate;
        mean[t] = s.mean;
        se[t] = s.sd;
        letters[t] = labels.empty() ? NA_STRING : Rcpp::String(labels[t].substr(1));
        source[t] = s.source;
    }
    return Rcpp::List::create(Rcpp::Named("number") = number, Rcpp::Named("name") = name,
                              Rcpp::Named("code") = code, Rcpp::Named("n") = n, Rcpp::Named("B") = b,
                              Rcpp::Named("estimate") = estimate, Rcpp::Named("mean") = mean,
                              Rcpp::Named("SE") = se, Rcpp::Named("letters") = letters,
                              Rcpp::Named("source") = source, Rcpp::Named("entry") = entry);
}

Rcpp::List pairColumns(const cpt::CartesianResult& result) {
    const std::size_t count = result.pairs.size();
    Rcpp::IntegerVector first(count), second(count);
    Rcpp::CharacterVector firstName(count), secondName(count);
    Rcpp::NumericVector mean(count), sd(count), tLower(count), tUpper(count), pLower(count), pUpper(count);
    // Counts go beyond an R integer: doubles hold them exactly up to 2^53.
    Rcpp::NumericVector significant(count), insignificant(count), pValue(count);
    for (std::size_t p = 0; p < count; ++p) {
        const cpt::PairOutcome& pair = result.pairs[p];
        const cpt::PairResult& r = pair.result;
        first[p] = pair.first + 1;
        second[p] = pair.second + 1;
        firstName[p] = result.treatments[static_cast<std::size_t>(pair.first)].name;
        secondName[p] = result.treatments[static_cast<std::size_t>(pair.second)].name;
        mean[p] = r.mean;
        sd[p] = r.sd;
        tLower[p] = r.tLower;
        tUpper[p] = r.tUpper;
        pLower[p] = r.percentileLower;
        pUpper[p] = r.percentileUpper;
        significant[p] = static_cast<double>(r.significant);
        insignificant[p] = static_cast<double>(r.insignificant);
        pValue[p] = r.pValue;
    }
    return Rcpp::List::create(
        Rcpp::Named("first") = first, Rcpp::Named("second") = second, Rcpp::Named("first_name") = firstName,
        Rcpp::Named("second_name") = secondName, Rcpp::Named("mean_difference") = mean, Rcpp::Named("sd") = sd,
        Rcpp::Named("t_lower") = tLower, Rcpp::Named("t_upper") = tUpper, Rcpp::Named("percentile_lower") = pLower,
        Rcpp::Named("percentile_upper") = pUpper, Rcpp::Named("significant") = significant,
        Rcpp::Named("not_significant") = insignificant, Rcpp::Named("p_value") = pValue);
}

}  // namespace

Rcpp::List resultColumns(const cpt::CartesianResult& result) {
    return Rcpp::List::create(Rcpp::Named("treatments") = treatmentColumns(result),
                              Rcpp::Named("pairs") = pairColumns(result),
                              Rcpp::Named("F") = result.anova.f ? *result.anova.f : NA_REAL,
                              Rcpp::Named("df_between") = result.anova.dfBetween,
                              Rcpp::Named("df_within") = result.anova.dfWithin,
                              Rcpp::Named("sidak_alpha") = result.sidakAlpha,
                              Rcpp::Named("parameter") = result.parameterCode);
}

}  // namespace cptr
