// The figures of a run: what they show, taken from a real run, and the SVG
// form of the model.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/analysis/cartesian_run.h"
#include "support/cartesian_run.h"
#include "core/figures/plot_axes.h"
#include "core/figures/results_figures.h"
#include "core/figures/svg_writer.h"

namespace cpt::figures {
namespace {

using testing::figuresOf;
using testing::treatmentOf;

std::vector<const Text*> textsWithRole(const Figure& figure, const std::string& role) {
    std::vector<const Text*> found;
    for (const Text& text : figure.texts) {
        if (text.role == role) found.push_back(&text);
    }
    return found;
}

std::size_t linesWithRole(const Figure& figure, const std::string& role) {
    return static_cast<std::size_t>(std::count_if(figure.lines.begin(), figure.lines.end(),
                                                  [&](const Line& line) { return line.role == role; }));
}

bool inside(const Figure& figure, double x, double y) {
    return x >= 0 && x <= figure.width && y >= 0 && y <= figure.height;
}

struct ThreeTreatmentRun : ::testing::Test {
    void SetUp() override {
        run.script({testing::fixture("kale_2_6.txt"), testing::fixture("cabbage_1_5.txt"),
                    testing::fixture("kale_3_5.txt")});
        run.run();
        ASSERT_FALSE(run.stopMessage()) << *run.stopMessage();
        summary = summarizeRun(*run.context.cartesianRun->result, run.context.cartesianRun->treatments);
    }
    testing::CartesianRun run;
    RunSummary summary;
};

TEST_F(ThreeTreatmentRun, SummaryKeepsTheReportsOrderLettersAndPairFigures) {
    const AnalysisState& s = run.state();
    const CartesianResult& r = run.result();
    ASSERT_EQ(summary.treatments.size(), 3u);
    ASSERT_EQ(summary.pairs.size(), 3u);
    EXPECT_EQ(summary.parameterCode, s.LastTreatmentCode);
    for (int t = 1; t <= 3; ++t) {
        const TreatmentSummary& treatment = summary.treatments[static_cast<std::size_t>(t - 1)];
        EXPECT_EQ(treatment.name, treatmentOf(r, t).name);
        EXPECT_EQ(treatment.mean, treatmentOf(r, t).mean);
        EXPECT_EQ(treatment.standardError, treatmentOf(r, t).sd);
        EXPECT_LE(treatment.percentileLower, treatment.mean);
        EXPECT_GE(treatment.percentileUpper, treatment.mean);
        EXPECT_FALSE(treatment.letters.empty());
        EXPECT_NE(treatment.letters.front(), ' ');
    }
    for (const PairSummary& pair : summary.pairs) {
        const int i = pair.first + 1, j = pair.second + 1;
        EXPECT_EQ(pair.meanDifference, figuresOf(r, i, j).mean);
        EXPECT_EQ(pair.pValue, figuresOf(r, i, j).pValue);
        EXPECT_EQ(pair.percentileLower, figuresOf(r, i, j).percentileLower);
        // The histogram is of the same differences as the report's figures.
        const DifferenceHistogram histogram = summary.histogram(pair);
        EXPECT_EQ(histogram.total, pair.differenceCount);
        EXPECT_LE(histogram.start, pair.percentileLower);
        EXPECT_GE(histogram.edge(histogram.counts.size()), pair.percentileUpper);
    }
}

TEST_F(ThreeTreatmentRun, MeansFigureHasOneErrorBarAndLetterPerTreatment) {
    for (ErrorBars bars : {ErrorBars::Percentile, ErrorBars::StandardError}) {
        const Figure figure = meansFigure(summary, bars);
        EXPECT_EQ(linesWithRole(figure, "error-bar"), 3u);
        const auto letters = textsWithRole(figure, "letter");
        const auto names = textsWithRole(figure, "treatment");
        ASSERT_EQ(letters.size(), 3u);
        ASSERT_EQ(names.size(), 3u);
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(letters[k]->text, summary.treatments[k].letters);
            EXPECT_EQ(names[k]->text, summary.treatments[k].name);
            EXPECT_TRUE(inside(figure, letters[k]->x, letters[k]->y));
        }
        // Treatments left to right in the report's order.
        EXPECT_LT(names[0]->x, names[1]->x);
        EXPECT_LT(names[1]->x, names[2]->x);
        const auto axisTitle = textsWithRole(figure, "axis-title");
        ASSERT_EQ(axisTitle.size(), 1u);
        EXPECT_EQ(axisTitle[0]->text, summary.parameterCode);
        ASSERT_EQ(textsWithRole(figure, "caption").size(), 1u);
        EXPECT_EQ(textsWithRole(figure, "caption")[0]->text,
                  "Means followed by the same letter do not differ (Cartesian paired test, alpha = 0.05)");
    }
}

TEST_F(ThreeTreatmentRun, PairFigureMarksZeroMeanAndBothIntervalsWithPInTitle) {
    const PairSummary& pair = summary.pairs[0];
    const DifferenceHistogram histogram = summary.histogram(pair);
    const Figure figure = pairFigure(summary, pair, histogram);
    EXPECT_EQ(linesWithRole(figure, "zero"), 1u);
    EXPECT_EQ(linesWithRole(figure, "mean"), 1u);
    EXPECT_EQ(linesWithRole(figure, "t-interval"), 2u);
    EXPECT_EQ(linesWithRole(figure, "percentile-interval"), 2u);
    EXPECT_EQ(std::count_if(figure.rects.begin(), figure.rects.end(), [](const Rect& r) { return r.role == "bar"; }),
              static_cast<long>(histogram.counts.size()));
    EXPECT_NE(figure.title.find("P = " + pValueText(pair.pValue)), std::string::npos) << figure.title;
    for (const Line& line : figure.lines) {
        EXPECT_TRUE(inside(figure, line.x1, line.y1) && inside(figure, line.x2, line.y2)) << line.role;
    }
}

TEST(SvgWriter, WritesRolesAndEscapesText) {
    Figure figure;
    figure.title = "A & B";
    figure.texts.push_back({10, 20, "x<y \"q\"", 12, Anchor::Middle, false, true, Black, "letter"});
    figure.texts.push_back({10, 40, std::string("caf\xC3\xA9 \xFF"), 12, Anchor::Start, false, false, Black, ""});
    figure.lines.push_back({0, 0, 5, 5, MarkRed, 1.5, LineStyle::Dashed, "error-bar"});
    const std::string svg = svgOf(figure);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("<title>A &amp; B</title>"), std::string::npos);
    EXPECT_NE(svg.find("class=\"letter\""), std::string::npos);
    EXPECT_NE(svg.find(">x&lt;y &quot;q&quot;</text>"), std::string::npos);
    EXPECT_NE(svg.find("rotate(-90 10 20)"), std::string::npos);
    EXPECT_NE(svg.find("stroke=\"#c81e1e\" stroke-width=\"1.5\" stroke-dasharray"), std::string::npos);
    // Valid UTF-8 kept, an invalid byte replaced so that the document stays readable.
    EXPECT_NE(svg.find("caf\xC3\xA9 \xEF\xBF\xBD</text>"), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
}

TEST(PlotAxes, PValueKeepsItsDigits) {
    EXPECT_EQ(pValueText(8310.0 / 40000), "0.20775");
    EXPECT_EQ(pValueText(0), "0");
    EXPECT_EQ(shortNumber(-0.0), "0");
}

TEST(PlotAxes, NiceTicksCoverTheRangeWithRoundSteps) {
    struct Case {
        double low, high;
        std::vector<double> expected;
    } cases[] = {
        {0, 10, {0, 2, 4, 6, 8, 10}},
        {0.13, 0.31, {0.1, 0.15, 0.2, 0.25, 0.3, 0.35}},
        {-3, 2.5, {-4, -2, 0, 2, 4}},
    };
    for (const Case& c : cases) {
        const std::vector<double> ticks = niceTicks(c.low, c.high);
        ASSERT_EQ(ticks.size(), c.expected.size()) << c.low << " " << c.high;
        for (std::size_t k = 0; k < ticks.size(); ++k) EXPECT_NEAR(ticks[k], c.expected[k], 1e-12);
    }
    EXPECT_GE(niceTicks(5, 5).size(), 2u);
}

}  // namespace
}  // namespace cpt::figures
