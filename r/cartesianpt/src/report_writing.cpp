#include "report_writing.h"

#include <exception>
#include <memory>
#include <new>
#include <optional>

#include "core/cartesian/difference_files.h"
#include "core/cartesian/difference_listing.h"
#include "core/common/clock.h"
#include "core/common/date_time.h"
#include "core/common/user_error.h"
#include "core/report/report_file.h"
#include "core/report/standalone_report.h"

namespace cptr {
namespace {

cpt::DateTime momentOf(const std::string& text, const std::string& argument) {
    const std::optional<cpt::DateTime> moment = cpt::parseDateTime(text);
    if (!moment) {
        throw cpt::UserError(argument + " expects a date and time as 2026-12-09 22:32:02, not \"" + text + "\".");
    }
    return *moment;
}

std::filesystem::path reportOf(const cpt::CartesianResult& result, const ReportRequest& request, cpt::Clock& clock,
                               const cpt::RunBegin& begin) {
    try {
        return cpt::writeStandaloneReport(request.folder, result, request.code, clock, begin);
    } catch (const cpt::ReportNotCreated& error) {
        throw cpt::UserError(std::string(error.what()) +
                             "\nGive another code (a file name cannot hold every character), or another dir.");
    }
}

std::string reasonOf(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const cpt::Cancelled&) {
        return "The test ended without a report.";
    } catch (const std::bad_alloc&) {
        return "There is not enough memory for these treatments.";
    } catch (const std::exception& error) {
        return error.what();
    }
}

std::vector<double> bootstrapNumbersInMeanOrder(const std::vector<cpt::Treatment>& treatments, bool reversed) {
    std::vector<double> means;
    for (const cpt::Treatment& treatment : treatments) means.push_back(cpt::orderingMeanOf(treatment));
    std::vector<double> numbers;
    for (const int entry : cpt::meanOrder(means, reversed)) {
        numbers.push_back(static_cast<double>(treatments[static_cast<std::size_t>(entry)].values.size()));
    }
    return numbers;
}

// As cpt runs with --differences: the stamps of this run, the files gone
// again when the report cannot be written.
WrittenReport runWithDifferences(const RunRequest& run, const ReportRequest& request, cpt::Clock& clock) {
    const std::string question = cpt::unlistedDifferencesQuestion(
        bootstrapNumbersInMeanOrder(run.treatments, run.reversed), cpt::ValueCapacity);
    if (!question.empty()) {
        throw cpt::UserError(question.substr(0, question.rfind('\n')) +
                             "\nLeave off differences = TRUE to write the report without them.");
    }
    const cpt::RunBegin begin = cpt::beginRun(clock);
    cpt::DifferenceFileSet files(request.folder, cpt::CartesianOutputPrefix);
    WrittenReport written;
    try {
        const cpt::CartesianResult result = runRequested(run, &files);
        written.report = reportOf(result, request, clock, begin);
    } catch (const cpt::Cancelled&) {
        // The user's interrupt stays one, for R to raise as an interrupt.
        files.discardAll();
        throw;
    } catch (...) {
        if (!files.begun()) throw;
        files.discardAll();
        throw cpt::UserError(reasonOf(std::current_exception()) +
                             "\nThe difference files of this run have been removed.");
    }
    written.differenceFiles = files.written();
    return written;
}

}  // namespace

WrittenReport writeReport(SEXP keptResult, const std::function<RunRequest()>& run, const ReportRequest& request) {
    std::unique_ptr<cpt::Clock> clock;
    std::optional<cpt::RunBegin> begin;
    if (!request.fixedTime.empty()) {
        clock = std::make_unique<cpt::FixedClock>(momentOf(request.fixedTime, "fixed_time"));
    } else if (request.differences) {
        clock = std::make_unique<cpt::SystemClock>();
    } else {
        // The stamps of the run that made the result, not of this call.
        cpt::FixedClock began(momentOf(request.began, "The result's start"));
        begin = cpt::beginRun(began);
        clock = std::make_unique<cpt::FixedClock>(momentOf(request.ended, "The result's end"));
    }
    if (request.differences) return runWithDifferences(run(), request, *clock);
    if (!begin) begin = cpt::beginRun(*clock);
    WrittenReport written;
    if (holdsResult(keptResult)) {
        written.report = reportOf(resultOf(keptResult), request, *clock, *begin);
    } else {
        written.report = reportOf(runRequested(run()), request, *clock, *begin);
    }
    return written;
}

}  // namespace cptr
