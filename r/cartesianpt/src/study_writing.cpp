#include "study_writing.h"

#include <system_error>

#include "core/common/clock.h"
#include "core/common/date_time.h"
#include "core/common/pending_file.h"
#include "core/common/user_error.h"
#include "core/study/study_file_set.h"
#include "run_request.h"
#include "study_files/study_table_files.h"

namespace cptr {
namespace {

std::string studyBytes(const cpt::StudyTable& table, const std::string& format) {
    const std::optional<cpt::StudyFormat> known = cpt::studyFormatOfExtension(format);
    if (!known) {
        throw cpt::UserError("A study table is written as " + cpt::studyFormatWords(" or ") + ", not \"" + format +
                             "\".");
    }
    // The office files carry the moment they were made.
    cpt::SystemClock clock;
    return cpt::studyTableBytes(table, *known, clock.now());
}

}  // namespace

cpt::StudyTable studyTableOf(const StudyRequest& request) {
    std::vector<cpt::StudyParameterRun> runs;
    for (R_xlen_t p = 0; p < request.results.size(); ++p) {
        cpt::StudyParameterRun run;
        run.parameter = request.parameters.at(static_cast<std::size_t>(p));
        run.result = resultOf(request.results[p]);
        runs.push_back(std::move(run));
    }
    cpt::StudyOptions options;
    options.treatmentOrder = request.order;
    options.rowOrder = request.rowOrder;
    options.digits = request.digits;
    return cpt::buildStudyTable(runs, options);
}

Rcpp::List tidyColumns(const cpt::StudyTable& table) {
    const std::size_t count = table.tidyRows.size();
    Rcpp::CharacterVector parameter(count), treatment(count), letters(count), cell(count);
    Rcpp::IntegerVector n(count), b(count);
    Rcpp::NumericVector estimate(count), se(count);
    for (std::size_t r = 0; r < count; ++r) {
        const cpt::StudyTidyRow& row = table.tidyRows[r];
        parameter[r] = row.parameter;
        treatment[r] = row.treatment;
        n[r] = row.cell.sampleSize;
        b[r] = row.cell.bootstrapNumber;
        estimate[r] = row.cell.estimate;
        se[r] = row.cell.standardError;
        letters[r] = row.cell.letters;
        cell[r] = row.cell.text;
    }
    return Rcpp::List::create(Rcpp::Named("parameter") = parameter, Rcpp::Named("treatment") = treatment,
                              Rcpp::Named("n") = n, Rcpp::Named("B") = b, Rcpp::Named("estimate") = estimate,
                              Rcpp::Named("SE") = se, Rcpp::Named("letters") = letters,
                              Rcpp::Named("cell") = cell);
}

void writeStudyFile(const cpt::StudyTable& table, const std::string& format, const std::filesystem::path& path) {
    const std::string bytes = studyBytes(table, format);
    // Written beside the target under a name of its own, then moved over it:
    // a failed write never leaves half a table under the name.
    const std::filesystem::path partial = path.parent_path() / ("." + path.filename().string() + ".partial");
    cpt::PendingFile file;
    file.open(partial, cpt::OutputFile::Mode::CreateNew);
    file.file().write(bytes);
    file.commit();
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        const std::string reason = error.message();
        std::filesystem::remove(partial, error);
        throw cpt::UserError("The study table cannot be written to " + path.string() + ": " + reason + ".");
    }
}

}  // namespace cptr
