// The functions R calls (through Rcpp's generated registrations). Each hands
// its arguments to the core through guarded(), which turns a failure into a
// value the R side raises.
#include <Rcpp.h>

#include <algorithm>

#include "core/analysis/transformation.h"
#include "core/common/clock.h"
#include "core/common/date_time.h"
#include "core/figures/run_summary.h"
#include "core_call.h"
#include "core/life/life_bootstrap.h"
#include "core/life/life_files.h"
#include "core/life/life_front.h"
#include "life_tables.h"
#include "read_request.h"
#include "report_writing.h"
#include "result_conversion.h"
#include "run_request.h"
#include "study_writing.h"
#include "treatment_reading.h"
#include "treatment_records.h"

namespace {

cptr::StudyRequest studyRequest(const Rcpp::List& results, const std::vector<std::string>& parameters,
                                const std::vector<std::string>& order, int digits) {
    cptr::StudyRequest request;
    request.results = results;
    request.parameters = parameters;
    request.order = order;
    request.digits = digits;
    return request;
}

}  // namespace

// A transformation is applied as the values are read, so that value B + 1
// counts transformed in the ordering mean, as in cpt.
// [[Rcpp::export(rng = false)]]
SEXP cpt_read_treatments(std::vector<std::string> paths, Rcpp::List options, std::string transformation) {
    return cptr::guarded([&] {
        const cpt::ReadOptions read = cptr::readOptionsFrom(options, cptr::transformationNamed(transformation));
        Rcpp::List records;
        for (const cptr::ReadTreatment& r : cptr::readFiles(paths, read)) {
            records.push_back(cptr::recordOf(r.treatment, r.file));
        }
        return records;
    });
}

// Every parameter's treatments, named by the parameter, as cpt study reads
// its files.
// [[Rcpp::export(rng = false)]]
SEXP cpt_read_parameter_groups(std::vector<std::string> paths) {
    return cptr::guarded([&] {
        Rcpp::List groups;
        std::vector<std::string> parameters;
        for (const cptr::ReadGroup& group : cptr::readParameterGroups(paths)) {
            Rcpp::List records;
            for (const cptr::ReadTreatment& r : group.treatments) records.push_back(cptr::recordOf(r.treatment, r.file));
            groups.push_back(records);
            parameters.push_back(group.parameter);
        }
        groups.names() = parameters;
        return groups;
    });
}

// [[Rcpp::export(rng = false)]]
SEXP cpt_run_test(Rcpp::List records, Rcpp::List settings) {
    return cptr::guarded([&] {
        const cptr::RunRequest request = cptr::runRequest(records, settings);
        cpt::SystemClock clock;
        const std::string began = cpt::formatDateTime(clock.now());
        cpt::CartesianResult result = cptr::runRequested(request);
        const std::string ended = cpt::formatDateTime(clock.now());
        Rcpp::List value = cptr::resultColumns(result);
        value["began"] = began;
        value["ended"] = ended;
        value["pointer"] = cptr::keepResult(std::move(result));
        return value;
    });
}

// [[Rcpp::export(rng = false)]]
SEXP cpt_write_report(SEXP pointer, Rcpp::List records, Rcpp::List settings, std::string folder, std::string code,
                      std::string fixed_time, std::string began, std::string ended, bool differences) {
    return cptr::guarded([&] {
        cptr::ReportRequest request;
        request.folder = std::filesystem::absolute(folder).lexically_normal();
        request.code = code;
        request.fixedTime = fixed_time;
        request.began = began;
        request.ended = ended;
        request.differences = differences;
        const cptr::WrittenReport written =
            cptr::writeReport(pointer, [&] { return cptr::runRequest(records, settings); }, request);
        std::vector<std::string> files;
        for (const auto& path : written.differenceFiles) files.push_back(path.string());
        return Rcpp::List::create(Rcpp::Named("report") = written.report.string(), Rcpp::Named("files") = files);
    });
}

// [[Rcpp::export(rng = false)]]
bool cpt_holds_result(SEXP pointer) { return cptr::holdsResult(pointer); }

// [[Rcpp::export(rng = false)]]
SEXP cpt_study_table(Rcpp::List results, std::vector<std::string> parameters, std::vector<std::string> order,
                     int digits) {
    return cptr::guarded([&] {
        return cptr::tidyColumns(cptr::studyTableOf(studyRequest(results, parameters, order, digits)));
    });
}

// [[Rcpp::export(rng = false)]]
SEXP cpt_write_study_table(Rcpp::List results, std::vector<std::string> parameters, std::vector<std::string> order,
                           int digits, std::string path, std::string format) {
    return cptr::guarded([&] {
        const std::filesystem::path target = std::filesystem::absolute(path).lexically_normal();
        // The rows as the table given holds them (a table study_table() made
        // holds them in the table's own order).
        cptr::StudyRequest request = studyRequest(results, parameters, order, digits);
        request.rowOrder = parameters;
        cptr::writeStudyFile(cptr::studyTableOf(request), format, target);
        return target.string();
    });
}

// The values at the figures' percentile ranks, by percentileOf, of the
// values as the test took them.
// [[Rcpp::export(rng = false)]]
SEXP cpt_percentiles(std::vector<double> values, std::vector<double> fractions, std::string transformation) {
    return cptr::guarded([&] {
        const cpt::Transformation applied = cptr::transformationNamed(transformation);
        if (applied != cpt::Transformation::None) {
            for (double& x : values) x = cpt::applyTransformation(applied, x);
        }
        std::sort(values.begin(), values.end());
        std::vector<double> found;
        for (const double fraction : fractions) found.push_back(cpt::figures::percentileOf(values, fraction));
        return found;
    });
}

// [[Rcpp::export(rng = false)]]
SEXP cpt_life_table(SEXP columns, std::vector<std::string> paths, Rcpp::List settings) {
    return cptr::guarded([&] {
        cpt::life::LifeResult result = cptr::runLifeRequest(columns, paths, settings);
        Rcpp::List value = cptr::lifeColumns(result);
        value["pointer"] = cptr::keepLife(std::move(result));
        return value;
    });
}

// [[Rcpp::export(rng = false)]]
bool cpt_holds_life(SEXP pointer) { return TYPEOF(pointer) == EXTPTRSXP && R_ExternalPtrAddr(pointer) != nullptr; }

// [[Rcpp::export(rng = false)]]
SEXP cpt_write_life_files(SEXP pointer, std::string folder) {
    return cptr::guarded([&] {
        std::vector<std::string> files;
        for (const auto& path :
             cpt::life::writeLifeFiles(cptr::lifeOf(pointer), std::filesystem::absolute(folder).lexically_normal())) {
            files.push_back(path.string());
        }
        return files;
    });
}

// The codes of the parameters whose bootstrap files the run wrote.
// [[Rcpp::export(rng = false)]]
SEXP cpt_life_parameters(SEXP pointer) {
    return cptr::guarded([&] {
        std::vector<std::string> codes;
        for (const auto parameter : cpt::life::writtenParameters(cptr::lifeOf(pointer))) {
            codes.emplace_back(cpt::life::parameterCode(parameter));
        }
        return codes;
    });
}

// The parameter's treatments, as its bootstrap files read.
// [[Rcpp::export(rng = false)]]
SEXP cpt_life_treatments(SEXP pointer, std::string code) {
    return cptr::guarded([&] {
        const auto parameter = cpt::life::parameterOfCode(code);
        if (!parameter) throw cpt::UserError("\"" + code + "\" is none of r, lambda, R0, T, GRR.");
        Rcpp::List records;
        for (const cpt::Treatment& t : cpt::life::parameterTreatments(cptr::lifeOf(pointer), *parameter)) {
            records.push_back(cptr::recordOf(t, ""));
        }
        return records;
    });
}
