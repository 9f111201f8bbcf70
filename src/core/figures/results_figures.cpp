#include "core/figures/results_figures.h"

#include <algorithm>
#include <cmath>

#include "core/figures/figure_files.h"
#include "core/figures/plot_axes.h"

namespace cpt::figures {
namespace {

constexpr double MarginTop = 48;
constexpr double MarginSide = 24;
constexpr double NameSize = 12;
constexpr double LetterSize = 14;
constexpr double CaptionSize = 12;
constexpr double MarkerHalf = 4.5;
constexpr double CapHalf = 7;

struct Range {
    double low = 0, high = 0;
    void include(double v) {
        low = std::min(low, v);
        high = std::max(high, v);
    }
};

double errorLow(const TreatmentSummary& t, ErrorBars bars) {
    return bars == ErrorBars::Percentile ? t.percentileLower : t.mean - t.standardError;
}
double errorHigh(const TreatmentSummary& t, ErrorBars bars) {
    return bars == ErrorBars::Percentile ? t.percentileUpper : t.mean + t.standardError;
}

void addTitle(Figure& figure, const std::string& title) {
    figure.title = title;
    figure.texts.push_back({figure.width / 2, 28, title, TitleSize, Anchor::Middle, true, false, Black, "title"});
}

}  // namespace

std::string meansCaption(double alpha) {
    return "Means followed by the same letter do not differ (Cartesian paired test, alpha = " + shortNumber(alpha) +
           ")";
}

Figure meansFigure(const RunSummary& summary, ErrorBars bars) {
    Figure figure;
    const auto n = static_cast<int>(summary.treatments.size());
    Range values{0, 0};
    bool first = true;
    double widestName = 0;
    for (const TreatmentSummary& t : summary.treatments) {
        if (first) values = {t.mean, t.mean};
        first = false;
        values.include(t.mean);
        values.include(errorLow(t, bars));
        values.include(errorHigh(t, bars));
        widestName = std::max(widestName, textWidth(t.name, NameSize));
    }
    // Room above the highest bar for its letters.
    const double span = values.high > values.low ? values.high - values.low : std::max(std::fabs(values.high), 1.0);
    const std::vector<double> ticks = niceTicks(values.low - span * 0.05, values.high + span * 0.15);

    const double slot = std::max(70.0, std::min(140.0, widestName + 16));
    const bool turnNames = widestName + 8 > slot;
    const double nameRoom = turnNames ? widestName + 14 : NameSize + 12;
    const double left = MarginSide + yAxisRoom(ticks);
    figure.width = std::max(720.0, left + slot * std::max(n, 1) + MarginSide);
    figure.height = 450 + (turnNames ? nameRoom - (NameSize + 12) : 0);
    const double captionY = figure.height - 16;

    PlotArea area;
    area.left = left;
    area.right = figure.width - MarginSide;
    area.top = MarginTop;
    area.bottom = captionY - CaptionSize - 14 - nameRoom;
    area.yLow = ticks.front();
    area.yHigh = ticks.back();
    area.xLow = 0;
    area.xHigh = std::max(n, 1);

    const std::string what = bars == ErrorBars::Percentile ? "95 % percentile intervals" : "\xC2\xB1 SE (bootstrap SD)";
    addTitle(figure, "Bootstrap means of " + summary.parameterCode + " with " + what);
    drawYAxis(figure, area, ticks, summary.parameterCode);

    for (int k = 0; k < n; ++k) {
        const TreatmentSummary& t = summary.treatments[static_cast<std::size_t>(k)];
        const double x = area.x(k + 0.5);
        const double yLow = area.y(errorLow(t, bars));
        const double yHigh = area.y(errorHigh(t, bars));
        figure.lines.push_back({x, yLow, x, yHigh, DarkBlue, 1.5, LineStyle::Solid, "error-bar"});
        figure.lines.push_back({x - CapHalf, yLow, x + CapHalf, yLow, DarkBlue, 1.5, LineStyle::Solid, "error-cap"});
        figure.lines.push_back({x - CapHalf, yHigh, x + CapHalf, yHigh, DarkBlue, 1.5, LineStyle::Solid, "error-cap"});
        const double yMean = area.y(t.mean);
        figure.rects.push_back(
            {x - MarkerHalf, yMean - MarkerHalf, 2 * MarkerHalf, 2 * MarkerHalf, DarkBlue, DarkBlue, "mean"});
        figure.texts.push_back({x, yHigh - 7, t.letters, LetterSize, Anchor::Middle, true, false, Black, "letter"});
        figure.lines.push_back({x, area.bottom, x, area.bottom + 5, Black, 1, LineStyle::Solid, "tick"});
        if (turnNames) {
            figure.texts.push_back({x + NameSize * 0.35, area.bottom + 10, t.name, NameSize, Anchor::End, false, true,
                                    Black, "treatment"});
        } else {
            figure.texts.push_back(
                {x, area.bottom + 8 + NameSize, t.name, NameSize, Anchor::Middle, false, false, Black, "treatment"});
        }
    }
    figure.texts.push_back({figure.width / 2, captionY, meansCaption(summary.alpha), CaptionSize,
                            Anchor::Middle, false, false, Black, "caption"});
    return figure;
}

Figure pairFigure(const RunSummary& summary, const PairSummary& pair, const DifferenceHistogram& histogram) {
    Figure figure;
    const std::string& minuend = summary.treatments.at(static_cast<std::size_t>(pair.minuend)).name;
    const std::string& subtrahend = summary.treatments.at(static_cast<std::size_t>(pair.subtrahend)).name;

    struct Mark {
        double value;
        Colour colour;
        double width;
        LineStyle style;
        const char* role;
    };
    const std::vector<Mark> marks{
        {0, Black, 1.5, LineStyle::Solid, "zero"},
        {pair.meanDifference, MarkRed, 2, LineStyle::Solid, "mean"},
        {pair.tLower, MarkGreen, 1.5, LineStyle::Dashed, "t-interval"},
        {pair.tUpper, MarkGreen, 1.5, LineStyle::Dashed, "t-interval"},
        {pair.percentileLower, MarkOrange, 2, LineStyle::Dotted, "percentile-interval"},
        {pair.percentileUpper, MarkOrange, 2, LineStyle::Dotted, "percentile-interval"},
    };
    Range xs{histogram.start, histogram.edge(histogram.counts.size())};
    for (const Mark& mark : marks) xs.include(mark.value);
    const std::vector<double> xTicks = niceTicks(xs.low, xs.high, 7);
    std::int64_t highest = 0;
    for (std::int64_t count : histogram.counts) highest = std::max(highest, count);
    const std::vector<double> yTicks = niceTicks(0, std::max<double>(static_cast<double>(highest), 1) * 1.05, 6);

    constexpr double LegendWidth = 250;
    PlotArea area;
    area.left = MarginSide + yAxisRoom(yTicks);
    area.right = figure.width - LegendWidth;
    area.top = MarginTop;
    area.bottom = figure.height - (8 + TickLabelSize + 8 + AxisTitleSize + 16);
    area.xLow = xTicks.front();
    area.xHigh = xTicks.back();
    area.yLow = 0;
    area.yHigh = yTicks.back();

    addTitle(figure, minuend + " - " + subtrahend + ": " + std::to_string(histogram.total) +
                         " Cartesian differences, P = " + pValueText(pair.pValue));
    drawYAxis(figure, area, yTicks, "Number of differences");
    drawXAxis(figure, area, xTicks, "Difference of " + summary.parameterCode);

    for (std::size_t bin = 0; bin < histogram.counts.size(); ++bin) {
        const double x1 = area.x(histogram.edge(bin));
        const double x2 = area.x(histogram.edge(bin + 1));
        const double top = area.y(static_cast<double>(histogram.counts[bin]));
        figure.rects.push_back({x1, top, x2 - x1, area.bottom - top, BarBlue, DarkBlue, "bar"});
    }
    for (const Mark& mark : marks) {
        const double x = area.x(mark.value);
        figure.lines.push_back({x, area.top, x, area.bottom, mark.colour, mark.width, mark.style, mark.role});
    }

    // The legend, right of the plot, with the values the marks stand for.
    const double legendX = area.right + 24;
    double y = area.top + 10;
    auto legend = [&](const Mark& mark, const std::string& text) {
        figure.lines.push_back({legendX, y - 4, legendX + 26, y - 4, mark.colour, mark.width, mark.style, "legend"});
        figure.texts.push_back({legendX + 34, y, text, TickLabelSize, Anchor::Start, false, false, Black, "legend"});
        y += 22;
    };
    legend(marks[0], "0");
    legend(marks[1], "Mean difference " + shortNumber(pair.meanDifference));
    legend(marks[2], "95 % t interval");
    figure.texts.push_back({legendX + 34, y - 4, shortNumber(pair.tLower) + " to " + shortNumber(pair.tUpper),
                            TickLabelSize, Anchor::Start, false, false, Black, "legend"});
    y += 22;
    legend(marks[4], "95 % percentile interval");
    figure.texts.push_back({legendX + 34, y - 4,
                            shortNumber(pair.percentileLower) + " to " + shortNumber(pair.percentileUpper),
                            TickLabelSize, Anchor::Start, false, false, Black, "legend"});
    y += 22;
    figure.texts.push_back({legendX, y + 8, "Differences: " + minuend + " - " + subtrahend, TickLabelSize,
                            Anchor::Start, false, false, Grey, "legend"});
    return figure;
}

void forEachRunFigure(const RunSummary& summary, const NamedFigureHandler& use) {
    use(meansFigureStem(), meansFigure(summary));
    for (const PairSummary& pair : summary.pairs) {
        use(pairFigureStem(pair), pairFigure(summary, pair, summary.histogram(pair)));
    }
}

}  // namespace cpt::figures
