#include "core/report/ci_report.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/analysis/cartesian_run.h"
#include "core/common/pending_file.h"
#include "core/common/user_error.h"
#include "core/report/report_file.h"
#include "core/report/report_timing.h"
#include "core/report/report_writer.h"
#include "core/report/significance_overview.h"
#include "core/state/app_context.h"
#include "core/state/control_names.h"

namespace cpt {
namespace {

// Shows the overview and the end of the run; returns the end stamp.
std::string updateWindow(AppContext& context, const CartesianResult& result) {
    ControlModel& window = context.window;
    window[control::Command21].enabled = false;
    ShowMultiCIofDifference(context, result);
    window[control::MSFlexGrid1].visible = true;
    window[control::MSFlexGrid1].enabled = true;
    std::string endStamp = "Cartesian paired test ended at:" + formatDateTime(context.clock.now());
    window[control::Label2].visible = false;
    window[control::lblBootEnd].caption = endStamp;
    window[control::lblBootEnd].visible = true;
    return endStamp;
}

}  // namespace

void PrintMultiCIofDifference(AppContext& context) {
    context.trace("PrintMultiCIofDifference");
    AnalysisState& s = context.state;
    if (!context.cartesianRun || !context.cartesianRun->result) {
        throw UserError("There is no result of a Cartesian paired test to report.");
    }
    const CartesianResult& result = *context.cartesianRun->result;

    PendingFile reportFile;
    openReportFile(context, reportFile);
    try {
        OutputFile& report = reportFile.file();
        s.TableNumber = writeReportBody(report, result, {s.EditionLabel, s.VersionText, s.ProjectName, s.TableNumber});
        context.trace("PrintPairTestTable");

        const std::string endStamp = updateWindow(context, result);
        const std::int64_t seconds =
            std::llabs(secondsSinceEpoch(context.clock.now()) - secondsSinceEpoch(s.StartTime));
        writeReportStamps(report, {s.StartStamp, endStamp, totalTimeText(seconds)});
        reportFile.commit();
    } catch (...) {
        // Half a report must not stand on the disk, nor its results on the window.
        reportFile.discard();
        s.OutputFileName.clear();
        context.window[control::MSFlexGrid1].visible = false;
        context.window[control::lblBootEnd].visible = false;
        throw;
    }

    context.window[control::txtDatafile].caption = "Output file is: " + s.OutputFileName;
    context.dialogs.beep();
    for (ControlName name : {control::cmdMultiCompCI, control::cmdMatchedLifeTable, control::FMNmatrices}) {
        context.window[name].enabled = false;
    }
}

}  // namespace cpt
