#include "core/report/pair_section.h"

#include <cmath>
#include <string>
#include <string_view>

#include "core/analysis/cartesian_result.h"
#include "core/common/print_line.h"
#include "core/tables/table_forms.h"

namespace cpt {
namespace {

constexpr int RuleWidth = 72;
constexpr int MarkColumn = 72;

void rule(PrintLine& line, char c) { line.line(std::string(RuleWidth, c)); }

void starred(PrintLine& line, std::string_view text) { line.text(text).col(MarkColumn).text("*").end(); }
void hashed(PrintLine& line, std::string_view text) { line.text(text).col(MarkColumn).text("#").end(); }

// B values at which a P of 0 can be reported as below 1/B.
std::string_view zeroPNote(std::int32_t bootstrapNumber) {
    switch (bootstrapNumber) {
        case 100000: return "# Because B is limited, if P = 0, you can report P < 0.00001.";
        case 10000: return "# Because B is limited, if P = 0, you can report P < 0.0001.";
        case 1000: return "# Because B is limited, if P = 0, you can report P < 0.001.";
        case 100: return "# Because B is limited, if P = 0, you can report P < 0.01.";
        default: return {};
    }
}

struct Pair {
    const CartesianResult& run;
    const TreatmentStatistics& a;
    const TreatmentStatistics& b;
    const PairResult& r;
    std::string names() const { return a.name + " and " + b.name + "."; }
    double products() const {
        return static_cast<double>(a.bootstrapNumber) * static_cast<double>(b.bootstrapNumber);
    }
};

void writeSideBySide(PrintLine& line, const Pair& p) {
    const TreatmentStatistics& a = p.a;
    const TreatmentStatistics& b = p.b;
    line.text("Comparison between " + a.name + " vs " + b.name).end();
    line.text("Number of Cartesian products (C)=").number(p.products()).end();
    rule(line, '=');
    line.col(27).text(a.name).col(52).text(b.name).end();
    rule(line, '-');
    line.text("Original =").col(25).number(a.estimate).col(50).number(b.estimate).end();
    rule(line, '-');
    line.text("Bootstrap mean =").col(25).number(a.mean).col(50).number(b.mean).end();
    line.text("Variance =").col(25).number(a.variance).col(50).number(b.variance).end();
    line.text("SE =").col(25).number(a.sd).col(50).number(b.sd).end();
    line.text("n ").col(25).number(a.sampleSize).col(50).number(b.sampleSize).end();
    rule(line, '-');
    // "SE" here is the standard deviation of the differences themselves.
    line.col(15).text("Mean (Cart. diff.) =").col(35).number(p.r.mean).end();
    line.col(15).text("Variance =").col(35).number(p.r.variance).end();
    line.col(15).text("SE =").col(35).number(p.r.sd).end();
    line.col(15).text("n ").col(35).number(p.products()).end();
    rule(line, '-');
    line.text("Difference 1 =").number(std::fabs(a.estimate - b.estimate)).end();
    line.line("   Difference 1 is the difference of two original values.");
    rule(line, '-');
    line.line("With the increase of B, diff. 1 will close to mean of Cart. difference");
    rule(line, '*');
    starred(line, "* Bootstrap t confidence intervals based on Cartesian differences:");
    line.text("* 95% CI:").col(26).text("Lower").col(51).text("Upper").col(MarkColumn).text("*").end();
    line.text("*").col(25).number(p.r.tLower).col(50).number(p.r.tUpper);
    line.col(MarkColumn).text("*").end();
}

void writeTJudgement(PrintLine& line, const Pair& p) {
    if (p.r.tLower > 0) {
        starred(line, "* Signif. diff. btw. " + p.names());
        starred(line, "* If the CI does not include 0, there is significant difference.");
    } else {
        starred(line, "* No signif. diff. btw. " + p.names());
        starred(line, "* If the CI includes 0, there is no significant difference.");
    }
    rule(line, '-');
    rule(line, '-');
}

void writePercentileBlock(PrintLine& line, const Pair& p, bool significant) {
    hashed(line, "# Percentile confidence intervals of Cartesian product differences:");
    line.text("# 95% CI:").col(26).text("Lower").col(51).text("Upper").col(MarkColumn).text("#").end();
    line.text("#").col(25).number(p.r.percentileLower).col(50).number(p.r.percentileUpper);
    line.col(MarkColumn).text("#").end();
    if (significant) {
        hashed(line, "# Signif. diff. btw. " + p.names());
        hashed(line, "# If the CI does not include 0, there is significant difference.");
    } else {
        hashed(line, "# No signif. diff. btw. " + p.names());
        hashed(line, "# If the CI includes 0, there is no significant difference.");
    }
    line.line("#" + std::string(70, '-') + "#");
}

void writeCounts(PrintLine& line, const Pair& p, bool significant) {
    const double pValue = p.r.pValue;
    line.text("# Number of insignif. diff. = ").number(p.r.insignificant).col(MarkColumn).text("#").end();
    line.text("# Number of signif. diff. = ").number(p.r.significant).col(MarkColumn).text("#").end();
    line.text("# P-value (based on").number(p.products()).text(" Cartesian differences) = ").number(pValue);
    line.col(MarkColumn).text("#").end();
    if (significant != isSignificant(pValue)) {
        hashed(line, "# This P-value is inconsistent with the results of CI.");
        hashed(line, "# In this case, please increase B and re-run the test.");
    }
    if (pValue == 0) {
        std::string_view note = zeroPNote(p.run.treatments.front().bootstrapNumber);
        if (!note.empty()) hashed(line, note);
    }
    rule(line, '-');
}

void writeSidak(PrintLine& line, const Pair& p, bool significant) {
    if (p.run.treatmentCount() > 2) {
        const double pValue = p.r.pValue;
        const double sidakAlpha = p.run.sidakAlpha;
        line.text("* Alpha(Sidak) =").number(sidakAlpha).col(MarkColumn).text("*").end();
        const bool consistent = significant ? pValue < sidakAlpha : pValue > sidakAlpha;
        starred(line, consistent ? "* Result with Sidak correction is consistent with CI of diff."
                                 : "* Result with Sidak correction is inconsistent with CI of diff.");
    }
    rule(line, '-');
}

void writeDiscrepancyNote(PrintLine& line, const Pair& p, bool significant) {
    const double tLower = p.r.tLower;
    const bool differs = significant ? tLower < 0 : tLower > 0 && p.r.percentileLower < 0;
    if (!differs) return;
    rule(line, significant ? '*' : '-');
    starred(line, "* Note well: The lower confidence interval based on t is different");
    starred(line, "* from that based on percentiles.");
    starred(line, "* The lower CI of t is calculated as Mean - 1.959964 * SE.");
    starred(line, "* The lower CI of percentile is based on bootstrap samples.");
    starred(line, significant ? "* The P-value is calculated based on the finite bootstrap samples."
                              : "* The P-value is calculated based on the bootstrap samples.");
    starred(line, "* When bootstrap samples are non-normal, there will be discrepancy.");
    rule(line, '=');
}

}  // namespace

void writePairSection(PrintLine& line, const CartesianResult& result, int i, int j) {
    const PairOutcome& outcome = result.pair(i, j);
    const Pair pair{result, result.treatments[static_cast<std::size_t>(i)],
                    result.treatments[static_cast<std::size_t>(j)], outcome.result};
    writeSideBySide(line, pair);
    if (pair.a.mean == pair.b.mean) {
        starred(line, "* No signif. diff. btw. treatments.");
        rule(line, '-');
        return;
    }
    writeTJudgement(line, pair);
    const bool significant = outcome.result.percentileLower > 0;
    writePercentileBlock(line, pair, significant);
    writeCounts(line, pair, significant);
    writeSidak(line, pair, significant);
    writeDiscrepancyNote(line, pair, significant);
}

}  // namespace cpt
