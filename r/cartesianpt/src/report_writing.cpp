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

cpt::DateTime momentOf(const std::string& text, const std::string& argument) {
    const std::optional<cpt::DateTime> moment = cpt::parseDateTime(text);
    if (!moment) throw cpt::UserError(cpt::dateTimeComplaint(argument, text));
    return *moment;
}

}  // namespace

WrittenReport writeReport(SEXP keptResult, const std::function<RunRequest()>& run, const ReportRequest& request) {
    cpt::KeptRunMoments moments;
    if (!request.fixedTime.empty()) {
        moments.fixed = momentOf(request.fixedTime, "fixed_time");
    } else if (!request.differences) {
        moments.began = momentOf(request.began, "The result's start");
        moments.ended = momentOf(request.ended, "The result's end");
    }
    const cpt::CartesianResult* kept = holdsResult(keptResult) ? &resultOf(keptResult) : nullptr;
    // The request's settings matter only when the test runs again.
    std::optional<RunRequest> again;
    if (!kept || request.differences) again = run();
    cpt::CartesianRequest typed = again ? cartesianRequest(*again) : cpt::CartesianRequest{};
    typed.folder = request.folder;
    typed.code = request.code;
    typed.differenceFiles = request.differences;
    typed.reportAdvice = "\nGive another code (a file name cannot hold every character), or another dir.";
    typed.unlistedAdvice = "Leave off differences = TRUE to write the report without them.";
    std::atomic<bool> cancel{false};
    const cpt::ReportedFiles written = cpt::reportKeptRun(
        kept, [&] { return again->treatments; }, typed, moments, interruptiblePorts(cancel));
    return {written.report, written.differenceFiles};
}

}  // namespace cptr
