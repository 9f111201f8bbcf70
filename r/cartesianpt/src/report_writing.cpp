#include "report_writing.h"

#include <atomic>
#include <exception>
#include <memory>
#include <new>
#include <optional>

#include "core/common/clock.h"
#include "core/common/date_time.h"
#include "core/common/user_error.h"
#include "core/report/report_file.h"
#include "core/report/reported_test.h"
#include "core/report/standalone_report.h"

namespace cptr {
namespace {

constexpr const char* AnotherCode = "\nGive another code (a file name cannot hold every character), or another dir.";

cpt::DateTime momentOf(const std::string& text, const std::string& argument) {
    const std::optional<cpt::DateTime> moment = cpt::parseDateTime(text);
    if (!moment) throw cpt::UserError(cpt::dateTimeComplaint(argument, text));
    return *moment;
}

cpt::CartesianRequest requestOf(const RunRequest& run, const ReportRequest& request) {
    cpt::CartesianRequest typed = cartesianRequest(run);
    typed.folder = request.folder;
    typed.code = request.code;
    typed.differenceFiles = request.differences;
    typed.reportAdvice = AnotherCode;
    return typed;
}

std::filesystem::path reportOf(const cpt::CartesianResult& result, const cpt::CartesianRequest& request,
                               cpt::Clock& clock, const cpt::RunBegin& begin) {
    cpt::RunPorts ports;
    ports.clock = &clock;
    try {
        return cpt::writeRunReport(result, request, ports, begin);
    } catch (const cpt::ReportNotCreated& error) {
        throw cpt::UserError(error.what());
    }
}

// As cpt runs with --differences: the stamps of this run, the files gone
// again when the report cannot be written.
WrittenReport runWithDifferences(const RunRequest& run, const ReportRequest& request, cpt::Clock& clock) {
    std::atomic<bool> cancel{false};
    cpt::RunPorts ports = interruptiblePorts(cancel);
    ports.clock = &clock;
    try {
        cpt::ReportedRun written = cpt::runReportedTest(run.treatments, requestOf(run, request), ports);
        return {written.report, written.differenceFiles};
    } catch (const cpt::UnlistedDifferencesRefused& refused) {
        throw cpt::UserError(std::string(refused.what()) +
                             "\nLeave off differences = TRUE to write the report without them.");
    } catch (const cpt::ReportNotCreated& error) {
        throw cpt::UserError(error.what());
    }
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
        written.report = reportOf(resultOf(keptResult), requestOf({}, request), *clock, *begin);
    } else {
        const RunRequest again = run();
        written.report = reportOf(runRequested(again), requestOf(again, request), *clock, *begin);
    }
    return written;
}

}  // namespace cptr
