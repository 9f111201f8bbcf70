#include "core/report/ci_report.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/common/pending_file.h"
#include "core/common/print_line.h"
#include "core/common/user_error.h"
#include "core/report/pair_section.h"
#include "core/report/report_file.h"
#include "core/report/report_texts.h"
#include "core/report/report_timing.h"
#include "core/report/significance_overview.h"
#include "core/state/app_context.h"
#include "core/state/control_names.h"
#include "core/state/edition.h"
#include "core/tables/pair_tables.h"

namespace cpt {
namespace {

constexpr int HeaderRuleWidth = 93;

void writeLines(PrintLine& line, report_texts::Reference lines) {
    for (std::string_view text : lines) line.line(text);
}

void writeHeader(AnalysisState& s, PrintLine& line) {
    ++s.TableNumber;
    line.text("Program: ").text(edition::ProgramTitle).text(" (").text(s.EditionLabel).text(").").end();
    line.text("Table ").text(std::to_string(s.TableNumber));
    line.text(". Cartesian product paired difference (KORVAL program)").end();
    line.line("");
    line.line("Main references:");
    writeLines(line, report_texts::MainReferences[0]);
    line.line("");
    writeLines(line, report_texts::MainReferences[1]);
    line.line("");
    line.line(std::string(HeaderRuleWidth, '-'));
    writeLines(line, report_texts::Explanation);
    line.line(std::string(HeaderRuleWidth, '-'));
    line.line("");
    line.line("Project: " + s.ProjectName + " " + s.VersionText);
    line.line("Parameter: " + s.LastTreatmentCode);
    line.text("Number of treatments =").number(s.TreatmentCount).end();
    // F has no value when the within-groups mean square is 0.
    if (s.FValueDefined) {
        line.text("F value =").number(s.FValue).end();
    } else {
        line.line("F value = undefined");
    }
    line.text("df between groups (dfN: numerator) =").number(s.DfBetween).end();
    line.text("df within groups (dfD: denominator) =").number(s.DfWithin).end();
    line.line("  ");
    if (s.TreatmentCount != 2) {
        line.line("If you are asked to use corrected alpha value:");
        line.text("Alpha(Sidak) =").number(s.SidakAlpha).end();
        line.line("If you are asked to use corrected alpha, you have to check the P value of ");
        line.text("each paired comparison. If a P value is lower than").number(s.SidakAlpha).text(",").end();
        line.line("there is significant difference between them.");
        line.line(" ");
    }
}

void writePairSections(AnalysisState& s, PrintLine& line) {
    for (int i = 1; i <= s.TreatmentCount; ++i) {
        for (int j = i + 1; j <= s.TreatmentCount; ++j) {
            s.BootMeanDiff[i][j] = std::fabs(s.BootMean[i] - s.BootMean[j]);
            s.BootMeanDiff[j][i] = s.BootMeanDiff[i][j];
            writePairSection(line, s, i, j);
            line.line("");
        }
    }
}

void writeReferences(PrintLine& line) {
    line.line("References:");
    for (report_texts::Reference reference : report_texts::References) writeLines(line, reference);
    line.line("");
}

// Shows the overview and the end of the run; returns the end stamp.
std::string updateWindow(AppContext& context) {
    ControlModel& window = context.window;
    window[control::Command21].enabled = false;
    ShowMultiCIofDifference(context);
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

    PendingFile reportFile;
    openReportFile(context, reportFile);
    try {
        OutputFile& report = reportFile.file();
        PrintLine line(report);
        writeHeader(s, line);
        writePairSections(s, line);
        writeReferences(line);
        PrintPairTestTable(context, report);

        const std::string endStamp = updateWindow(context);
        const std::int64_t seconds =
            std::llabs(secondsSinceEpoch(context.clock.now()) - secondsSinceEpoch(s.StartTime));
        line.line(s.StartStamp);
        line.line(endStamp);
        line.line(totalTimeText(seconds));
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
