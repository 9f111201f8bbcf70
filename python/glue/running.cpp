// The test run on workers while the caller's thread waits and looks for the
// interrupt key, and cpt's report of a run, as the R package writes it.
#include <atomic>
#include <exception>
#include <memory>
#include <new>
#include <optional>

#include "core/analysis/parallel_jobs.h"
#include "core/cartesian/difference_files.h"
#include "core/cartesian/difference_listing.h"
#include "core/common/clock.h"
#include "core/common/date_time.h"
#include "core/common/user_error.h"
#include "core/report/report_file.h"
#include "core/report/standalone_report.h"
#include "glue.h"

namespace cptpy {
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

std::vector<double> bootstrapNumbersInMeanOrder(const RunRequest& run) {
    std::vector<double> means;
    for (const TreatmentPointer& held : run.treatments) means.push_back(cpt::orderingMeanOf(held->treatment));
    std::vector<double> numbers;
    for (const int entry : cpt::meanOrder(means, run.reversed)) {
        numbers.push_back(static_cast<double>(run.treatments[static_cast<std::size_t>(entry)]->treatment.values.size()));
    }
    return numbers;
}

// As cpt runs with --differences: the stamps of this run, the files gone
// again when the report cannot be written.
WrittenReport runWithDifferences(const RunRequest& run, const ReportRequest& request, cpt::Clock& clock,
                                 const Interrupted& interrupted) {
    const std::string question =
        cpt::unlistedDifferencesQuestion(bootstrapNumbersInMeanOrder(run), cpt::ValueCapacity);
    if (!question.empty()) {
        throw cpt::UserError(question.substr(0, question.rfind('\n')) +
                             "\nLeave off differences=True to write the report without them.");
    }
    const cpt::RunBegin begin = cpt::beginRun(clock);
    cpt::DifferenceFileSet files(request.folder, cpt::CartesianOutputPrefix);
    WrittenReport written;
    try {
        const cpt::CartesianResult result = runTest(run, interrupted, &files);
        written.report = reportOf(result, request, clock, begin);
    } catch (const cpt::Cancelled&) {
        // An interrupt stays an interrupt; the files go all the same.
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

cpt::CartesianResult runTest(const RunRequest& request, const Interrupted& interrupted,
                             cpt::DifferenceSink* differences) {
    std::atomic<bool> cancel{false};
    cpt::CartesianSettings settings;
    settings.reversed = request.reversed;
    settings.transformation = request.transformation;
    settings.threads = request.threads > 0 ? request.threads : cpt::availableThreads();
    settings.differences = differences;
    settings.cancel = &cancel;
    // The work goes to workers; this thread only looks for the interrupt.
    settings.whileWaiting = [&] {
        if (!cancel.load() && interrupted && interrupted()) cancel = true;
    };
    // The copies are the test's to sort in place, as cpt gives its own.
    std::vector<cpt::Treatment> treatments;
    treatments.reserve(request.treatments.size());
    for (const TreatmentPointer& held : request.treatments) treatments.push_back(held->treatment);
    return cpt::runCartesianTest(std::move(treatments), settings);
}

Run runAndKeep(RunRequest request, const Interrupted& interrupted) {
    cpt::SystemClock clock;
    Run run;
    run.began = cpt::formatDateTime(clock.now());
    run.result = runTest(request, interrupted);
    run.ended = cpt::formatDateTime(clock.now());
    run.request = std::move(request);
    return run;
}

WrittenReport writeReport(const Run& run, const ReportRequest& request, const Interrupted& interrupted) {
    std::unique_ptr<cpt::Clock> clock;
    std::optional<cpt::RunBegin> begin;
    if (!request.fixedTime.empty()) {
        clock = std::make_unique<cpt::FixedClock>(momentOf(request.fixedTime, "fixed_time"));
    } else if (request.differences) {
        clock = std::make_unique<cpt::SystemClock>();
    } else {
        // The stamps of the run that made the result, not of this call.
        cpt::FixedClock began(momentOf(run.began, "The result's start"));
        begin = cpt::beginRun(began);
        clock = std::make_unique<cpt::FixedClock>(momentOf(run.ended, "The result's end"));
    }
    if (request.differences) return runWithDifferences(run.request, request, *clock, interrupted);
    if (!begin) begin = cpt::beginRun(*clock);
    WrittenReport written;
    written.report = reportOf(run.result, request, *clock, *begin);
    return written;
}

}  // namespace cptpy
