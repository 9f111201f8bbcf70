#include "life_tables.h"

#include <atomic>

#include "core/common/user_error.h"
#include "core/life/life_front.h"
#include "run_request.h"
#include "xlsx/read_treatments.h"

namespace cptr {
namespace {

using namespace cpt::life;

std::vector<RecordColumn> recordColumns(const Rcpp::List& frame) {
    std::vector<RecordColumn> columns;
    const Rcpp::CharacterVector names = frame.names();
    for (R_xlen_t c = 0; c < frame.size(); ++c) {
        RecordColumn& column = columns.emplace_back();
        column.name = Rcpp::as<std::string>(names[c]);
        SEXP values = frame[c];
        if (TYPEOF(values) == STRSXP) {
            const Rcpp::CharacterVector text(values);
            for (R_xlen_t i = 0; i < text.size(); ++i) {
                column.cells.push_back(text[i] == NA_STRING ? std::string() : Rcpp::as<std::string>(text[i]));
            }
        } else {
            // Whole numbers and doubles alike, written as they read back.
            const Rcpp::NumericVector numbers(values);
            for (R_xlen_t i = 0; i < numbers.size(); ++i) column.cells.push_back(recordCell(numbers[i]));
        }
    }
    return columns;
}

template <typename T>
SEXP optionalColumn(const std::vector<std::optional<T>>& values) {
    Rcpp::NumericVector column(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) column[i] = values[i] ? double(*values[i]) : NA_REAL;
    return column;
}

}  // namespace

LifeResult runLifeRequest(SEXP columns, const std::vector<std::string>& paths, const Rcpp::List& settingsList) {
    LifeSettings settings;
    settings.bootstrap = static_cast<std::int64_t>(Rcpp::as<double>(settingsList["bootstrap"]));
    settings.seed = static_cast<std::uint64_t>(Rcpp::as<double>(settingsList["seed"]));
    settings.cohort = Rcpp::as<std::string>(settingsList["cohort"]) == "females" ? Cohort::Females : Cohort::All;
    settings.femaleOffspring = Rcpp::as<double>(settingsList["female_offspring"]);
    settings.zeroOffspring =
        Rcpp::as<std::string>(settingsList["zero_offspring"]) == "drop" ? ZeroOffspring::Drop : ZeroOffspring::Refuse;
    settings.threads = Rcpp::as<int>(settingsList["threads"]);
    settings.wording.bootstrap = "bootstrap";
    settings.wording.femaleOffspring = "female_offspring";
    settings.wording.cohortFemales = "cohort = \"females\"";
    settings.wording.drop = "zero_offspring = \"drop\"";
    if (const auto problem = settingsProblem(settings)) throw cpt::UserError(*problem);

    Records records;
    if (!Rf_isNull(columns)) addRecords(records, recordsOfColumns(recordColumns(Rcpp::List(columns)), "x"));
    for (const std::string& path : paths) addRecords(records, cpt::readRecords(std::filesystem::path(path)));

    std::atomic<bool> cancel{false};
    settings.cancel = &cancel;
    settings.progress = [&cancel](std::int64_t, std::int64_t) {
        if (userInterrupted()) cancel = true;
    };
    return runLifeTables(records, settings);
}

Rcpp::List lifeColumns(const LifeResult& result) {
    std::vector<std::string> names, tableNames, bootNames;
    std::vector<std::optional<double>> n;
    std::vector<std::vector<std::optional<double>>> estimates(DefaultLifeParameters.size());
    std::vector<double> replicate;
    std::vector<std::vector<double>> boot(DefaultLifeParameters.size());
    std::vector<double> age, lx, mx, lxmx;
    std::vector<std::optional<double>> N, E;
    for (const TreatmentResult& t : result.treatments) {
        names.push_back(t.name);
        n.push_back(t.aggregate ? std::nullopt : std::optional<double>(double(t.n0)));
        for (std::size_t p = 0; p < DefaultLifeParameters.size(); ++p) {
            estimates[p].push_back(t.table.estimates.of(DefaultLifeParameters[p]));
        }
        for (const LifeTableRow& row : t.table.rows) {
            tableNames.push_back(t.name);
            age.push_back(row.age);
            N.push_back(row.N);
            E.push_back(row.E);
            lx.push_back(row.lx);
            mx.push_back(row.mx);
            lxmx.push_back(row.lxmx);
        }
        if (t.aggregate) continue;
        for (std::int64_t b = 0; b < result.bootstrap; ++b) {
            bootNames.push_back(t.name);
            replicate.push_back(double(b + 1));
        }
        for (std::size_t p = 0; p < DefaultLifeParameters.size(); ++p) {
            const std::vector<double> values = replicateValues(t.parameters[p], result.bootstrap);
            boot[p].insert(boot[p].end(), values.begin(), values.end());
        }
    }
    Rcpp::List estimateColumns = Rcpp::List::create(Rcpp::Named("treatment") = names, Rcpp::Named("n") = optionalColumn(n));
    Rcpp::List bootColumns = Rcpp::List::create(Rcpp::Named("treatment") = bootNames,
                                                Rcpp::Named("replicate") = Rcpp::wrap(replicate));
    for (std::size_t p = 0; p < DefaultLifeParameters.size(); ++p) {
        const std::string code(parameterCode(DefaultLifeParameters[p]));
        estimateColumns[code] = optionalColumn(estimates[p]);
        Rcpp::NumericVector values(boot[p].begin(), boot[p].end());
        for (R_xlen_t i = 0; i < values.size(); ++i) {
            if (std::isnan(values[i])) values[i] = NA_REAL;
        }
        bootColumns[code] = values;
    }
    Rcpp::List table = Rcpp::List::create(
        Rcpp::Named("treatment") = tableNames, Rcpp::Named("age") = Rcpp::wrap(age), Rcpp::Named("N") = optionalColumn(N),
        Rcpp::Named("lx") = Rcpp::wrap(lx), Rcpp::Named("E") = optionalColumn(E), Rcpp::Named("mx") = Rcpp::wrap(mx),
        Rcpp::Named("lxmx") = Rcpp::wrap(lxmx));
    return Rcpp::List::create(Rcpp::Named("estimates") = estimateColumns, Rcpp::Named("bootstrap") = bootColumns,
                              Rcpp::Named("life_table") = table, Rcpp::Named("notes") = result.notes);
}

LifePointer keepLife(LifeResult result) { return LifePointer(new LifeResult(std::move(result)), true); }

const LifeResult& lifeOf(SEXP pointer) {
    if (TYPEOF(pointer) != EXTPTRSXP || R_ExternalPtrAddr(pointer) == nullptr) {
        throw cpt::UserError("The life tables' result is no longer held; run life_table() again.");
    }
    return *static_cast<const LifeResult*>(R_ExternalPtrAddr(pointer));
}

}  // namespace cptr
