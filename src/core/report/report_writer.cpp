#include "core/report/report_writer.h"

#include <string>
#include <string_view>

#include "core/analysis/cartesian_result.h"
#include "core/common/print_line.h"
#include "core/report/pair_section.h"
#include "core/report/pair_tables.h"
#include "core/report/report_texts.h"
#include "core/common/edition.h"

namespace cpt {
namespace {

constexpr int HeaderRuleWidth = 93;

void writeLines(PrintLine& line, report_texts::Reference lines) {
    for (std::string_view text : lines) line.line(text);
}

void writeHeader(PrintLine& line, const CartesianResult& result, const ReportHeading& heading, int& tableNumber) {
    ++tableNumber;
    line.text("Program: ").text(edition::ProgramTitle).text(" (").text(heading.editionLabel).text(").").end();
    line.text("Table ").text(std::to_string(tableNumber));
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
    line.line("Project: " + heading.projectName + " " + heading.versionText);
    line.line("Parameter: " + result.parameterCode);
    line.text("Number of treatments =").number(result.treatmentCount()).end();
    // F has no value when the within-groups mean square is 0.
    if (result.anova.f) {
        line.text("F value =").number(*result.anova.f).end();
    } else {
        line.line("F value = undefined");
    }
    line.text("df between groups (dfN: numerator) =").number(result.anova.dfBetween).end();
    line.text("df within groups (dfD: denominator) =").number(result.anova.dfWithin).end();
    if (result.momentsFromSums) line.line(report_texts::MomentsFromSumsNote);
    line.line("  ");
    if (result.treatmentCount() != 2) {
        line.line("If you are asked to use corrected alpha value:");
        line.text("Alpha(Sidak) =").number(result.sidakAlpha).end();
        line.line("If you are asked to use corrected alpha, you have to check the P value of ");
        line.text("each paired comparison. If a P value is lower than").number(result.sidakAlpha).text(",").end();
        line.line("there is significant difference between them.");
        line.line(" ");
    }
}

void writeReferences(PrintLine& line) {
    line.line("References:");
    for (report_texts::Reference reference : report_texts::References) writeLines(line, reference);
    line.line("");
}

}  // namespace

ReportHeading standaloneReportHeading() {
    ReportHeading heading;
    heading.editionLabel = std::string(edition::Label);
    heading.versionText = "Ver. " + std::string(edition::VersionDate);
    return heading;
}

int writeReportBody(OutputFile& report, const CartesianResult& result, const ReportHeading& heading) {
    int tableNumber = heading.tableNumber;
    PrintLine line(report);
    writeHeader(line, result, heading, tableNumber);
    const int n = result.treatmentCount();
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            writePairSection(line, result, i, j);
            line.line("");
        }
    }
    writeReferences(line);
    writePairTables(line, result, tableNumber);
    return tableNumber;
}

void writeReportStamps(OutputFile& report, const ReportStamps& stamps) {
    PrintLine line(report);
    line.line(stamps.begin);
    line.line(stamps.end);
    line.line(stamps.totalTime);
}

}  // namespace cpt
