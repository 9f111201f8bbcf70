// The test run on workers while the caller's thread waits and looks for the
// interrupt key, and cpt's report of a run, as the R package writes it.
#include <atomic>
#include <exception>
#include <memory>
#include <new>
#include <optional>

#include "core/analysis/parallel_jobs.h"
#include "core/common/clock.h"
#include "core/common/date_time.h"
#include "core/common/user_error.h"
#include "core/report/report_file.h"
#include "core/report/reported_test.h"
#include "core/report/standalone_report.h"
#include "glue.h"

namespace cptpy {
namespace {

constexpr const char* AnotherCode = "\nGive another code (a file name cannot hold every character), or another dir.";

cpt::DateTime momentOf(const std::string& text, const std::string& argument) {
    const std::optional<cpt::DateTime> moment = cpt::parseDateTime(text);
    if (!moment) throw cpt::UserError(cpt::dateTimeComplaint(argument, text));
    return *moment;
}

cpt::CartesianRequest requestOf(const RunRequest& run, const ReportRequest* report = nullptr) {
    cpt::CartesianRequest typed;
    typed.reversed = run.reversed;
    typed.transformation = run.transformation;
    typed.threads = run.threads;
    if (report) {
        typed.folder = report->folder;
        typed.code = report->code;
        typed.differenceFiles = report->differences;
        typed.reportAdvice = AnotherCode;
    }
    return typed;
}

// The work goes to workers; the caller's thread only looks for the interrupt.
cpt::RunPorts interruptiblePorts(std::atomic<bool>& cancel, const Interrupted& interrupted) {
    cpt::RunPorts ports;
    ports.cancel = &cancel;
    ports.whileWaiting = [&cancel, &interrupted] {
        if (!cancel.load() && interrupted && interrupted()) cancel = true;
    };
    return ports;
}

// The copies are the test's to sort in place, as cpt gives its own.
std::vector<cpt::Treatment> copiesOf(const RunRequest& request) {
    std::vector<cpt::Treatment> treatments;
    treatments.reserve(request.treatments.size());
    for (const TreatmentPointer& held : request.treatments) treatments.push_back(held->treatment);
    return treatments;
}

// As cpt runs with --differences: the stamps of this run, the files gone
// again when the report cannot be written.
WrittenReport runWithDifferences(const RunRequest& run, const ReportRequest& request, cpt::Clock& clock,
                                 const Interrupted& interrupted) {
    std::atomic<bool> cancel{false};
    cpt::RunPorts ports = interruptiblePorts(cancel, interrupted);
    ports.clock = &clock;
    try {
        cpt::ReportedRun written = cpt::runReportedTest(copiesOf(run), requestOf(run, &request), ports);
        return {written.report, written.differenceFiles};
    } catch (const cpt::UnlistedDifferencesRefused& refused) {
        throw cpt::UserError(std::string(refused.what()) +
                             "\nLeave off differences=True to write the report without them.");
    } catch (const cpt::ReportNotCreated& error) {
        throw cpt::UserError(error.what());
    }
}

}  // namespace

cpt::CartesianResult runTest(const RunRequest& request, const Interrupted& interrupted,
                             cpt::DifferenceSink* differences) {
    std::atomic<bool> cancel{false};
    const cpt::RunPorts ports = interruptiblePorts(cancel, interrupted);
    return cpt::runCartesianTest(copiesOf(request), cpt::cartesianSettings(requestOf(request), ports, differences));
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
    cpt::RunPorts ports;
    ports.clock = clock.get();
    WrittenReport written;
    try {
        written.report = cpt::writeRunReport(run.result, requestOf(run.request, &request), ports, *begin);
    } catch (const cpt::ReportNotCreated& error) {
        throw cpt::UserError(error.what());
    }
    return written;
}

}  // namespace cptpy
