#include "core/report/standalone_report.h"

#include <cstdlib>

#include "core/analysis/cartesian_result.h"
#include "core/common/clock.h"
#include "core/common/pending_file.h"
#include "core/report/report_file.h"
#include "core/report/report_file_name.h"
#include "core/report/report_timing.h"
#include "core/report/report_writer.h"

namespace cpt {

RunBegin beginRun(Clock& clock) {
    const DateTime now = clock.now();
    return {now, "Cartesian paired test began at:" + formatDateTime(now)};
}

std::filesystem::path writeStandaloneReport(const std::filesystem::path& folder, const CartesianResult& result,
                                            const std::string& code, Clock& clock, const RunBegin& begin) {
    const std::string name = reportFileName(CartesianOutputPrefix, result.parameterCode, code, clock);
    PendingFile report;
    std::string taken;
    try {
        taken = createReportFile(report, folder, name);
    } catch (const UserError& error) {
        throw ReportNotCreated(error.what());
    }
    writeReportBody(report.file(), result, standaloneReportHeading());
    const std::string endStamp = "Cartesian paired test ended at:" + formatDateTime(clock.now());
    const std::int64_t seconds = std::llabs(secondsSinceEpoch(clock.now()) - secondsSinceEpoch(begin.moment));
    writeReportStamps(report.file(), {begin.stamp, endStamp, totalTimeText(seconds)});
    report.commit();
    return folder / taken;
}

}  // namespace cpt
