#include "core/study/study_figure.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "core/figures/plot_axes.h"
#include "core/study/study_labels.h"

namespace cpt {
namespace {

using namespace cpt::figures;

constexpr double Margin = 16;
constexpr double PanelGap = 18;
constexpr double PanelTitleSize = 14;
constexpr double TitleRoom = 30;
constexpr double PlotHeight = 210;
constexpr double NameSize = 11;
constexpr double LetterSize = 12;
constexpr double NoteSize = 10;
constexpr double NoteLine = 13;
constexpr double TickSize = 11;
constexpr double CapHalf = 5;
constexpr double MarkerHalf = 4;

// Neutral: the same in greyscale as in colour.
constexpr Colour BarFill{200, 200, 200};
constexpr Colour Ink{40, 40, 40};

struct Layout {
    double slot = 0;  // room of one treatment
    bool turnNames = false;
    double widestName = 0;
    double axisRoom = 0;  // left of the plot, for the tick labels
    double nameRoom = 0;  // under the plot
    double panelWidth = 0;
};

// Words to lines of at most `width` (a word longer than that stands alone).
std::vector<std::string> wrapped(const std::string& text, double width, double size) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word;
    std::string line;
    while (words >> word) {
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && textWidth(longer, size) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

void drawPanel(Figure& figure, const StudyTable& table, const StudyRow& row, const Layout& layout, double left,
               double top, StudyFigureStyle style) {
    const StudyPanelScale scale = studyPanelScale(row);
    PlotArea area;
    area.left = left + layout.axisRoom;
    area.right = area.left + layout.slot * static_cast<double>(table.treatments.size());
    area.top = top + TitleRoom;
    area.bottom = area.top + PlotHeight;
    area.xLow = 0;
    area.xHigh = static_cast<double>(std::max<std::size_t>(table.treatments.size(), 1));
    area.yLow = scale.ticks.front();
    area.yHigh = scale.ticks.back();

    figure.texts.push_back({(area.left + area.right) / 2, top + 18, printedLabel(row), PanelTitleSize,
                            Anchor::Middle, true, false, Black, "panel-title"});
    figure.lines.push_back({area.left, area.top, area.left, area.bottom, Black, 1, LineStyle::Solid, "axis"});
    figure.lines.push_back({area.left, area.bottom, area.right, area.bottom, Black, 1, LineStyle::Solid, "axis"});
    if (scale.ticks.front() < 0 && scale.ticks.back() > 0) {
        figure.lines.push_back({area.left, area.y(0), area.right, area.y(0), Grey, 1, LineStyle::Solid, "zero"});
    }
    for (double tick : scale.ticks) {
        const double y = area.y(tick);
        figure.lines.push_back({area.left - 4, y, area.left, y, Black, 1, LineStyle::Solid, "tick"});
        figure.texts.push_back({area.left - 7, y + TickSize * 0.35, shortNumber(tick), TickSize, Anchor::End, false,
                                false, Black, "tick-label"});
    }

    const double barHalf = std::min(layout.slot * 0.32, 22.0);
    for (std::size_t column = 0; column < table.treatments.size(); ++column) {
        const double x = area.x(static_cast<double>(column) + 0.5);
        const std::string& name = table.treatments[column];
        if (layout.turnNames) {
            figure.texts.push_back({x + NameSize * 0.35, area.bottom + 8, name, NameSize, Anchor::End, false, true,
                                    Black, "treatment"});
        } else {
            figure.texts.push_back(
                {x, area.bottom + 6 + NameSize, name, NameSize, Anchor::Middle, false, false, Black, "treatment"});
        }
        if (!row.cells[column]) continue;  // no such treatment in this parameter's run: its place stays empty
        const StudyCell& cell = *row.cells[column];
        const double yEstimate = area.y(cell.estimate);
        if (style == StudyFigureStyle::Bars) {
            const double yBase = area.y(scale.base);
            figure.rects.push_back({x - barHalf, std::min(yBase, yEstimate), 2 * barHalf, std::fabs(yBase - yEstimate),
                                    BarFill, Ink, "bar"});
        } else {
            figure.rects.push_back({x - MarkerHalf, yEstimate - MarkerHalf, 2 * MarkerHalf, 2 * MarkerHalf, Ink, Ink,
                                    "point"});
        }
        const double yLow = area.y(cell.estimate - cell.standardError);
        const double yHigh = area.y(cell.estimate + cell.standardError);
        figure.lines.push_back({x, yLow, x, yHigh, Black, 1.2, LineStyle::Solid, "error-bar"});
        figure.lines.push_back({x - CapHalf, yLow, x + CapHalf, yLow, Black, 1.2, LineStyle::Solid, "error-cap"});
        figure.lines.push_back({x - CapHalf, yHigh, x + CapHalf, yHigh, Black, 1.2, LineStyle::Solid, "error-cap"});
        if (!cell.letters.empty()) {
            figure.texts.push_back(
                {x, yHigh - 5, cell.letters, LetterSize, Anchor::Middle, false, false, Black, "letter"});
        }
    }
    double noteY = area.bottom + layout.nameRoom + NoteLine;
    for (const std::string& line : wrapped(row.lettersNote, layout.panelWidth - PanelGap, NoteSize)) {
        figure.texts.push_back({left, noteY, line, NoteSize, Anchor::Start, false, false, Black, "note"});
        noteY += NoteLine;
    }
}

std::size_t noteLines(const StudyRow& row, const Layout& layout) {
    return wrapped(row.lettersNote, layout.panelWidth - PanelGap, NoteSize).size();
}

}  // namespace

std::optional<StudyFigureStyle> studyFigureStyleNamed(std::string_view name) {
    if (name == "bars") return StudyFigureStyle::Bars;
    if (name == "points") return StudyFigureStyle::Points;
    return std::nullopt;
}

StudyPanelScale studyPanelScale(const StudyRow& row) {
    bool any = false;
    double low = 0, high = 0;
    for (const auto& cell : row.cells) {
        if (!cell) continue;
        const double a = cell->estimate - cell->standardError;
        const double b = cell->estimate + cell->standardError;
        low = any ? std::min(low, a) : a;
        high = any ? std::max(high, b) : b;
        any = true;
    }
    const bool farAbove = low > 0 && low > high / 2;
    const bool farBelow = high < 0 && high < low / 2;
    if (!farAbove) low = std::min(low, 0.0);
    if (!farBelow) high = std::max(high, 0.0);
    double span = high - low;
    if (!(span > 0)) span = std::max(std::fabs(high), 1.0) * 0.2;
    // Room above the highest whisker for its letters; a little below a
    // whisker that does not end at zero.
    const double padLow = low == 0 ? 0 : span * 0.06;
    StudyPanelScale scale;
    scale.ticks = niceTicks(low - padLow, high + span * 0.14, 5);
    const double axisLow = scale.ticks.front(), axisHigh = scale.ticks.back();
    scale.base = axisLow > 0 ? axisLow : axisHigh < 0 ? axisHigh : 0;
    return scale;
}

Figure studyFigure(const StudyTable& table, StudyFigureStyle style) {
    Figure figure;
    figure.title = "Estimates \u00B1 SE with the letters of each parameter's Cartesian paired test";
    Layout layout;
    for (const std::string& name : table.treatments) layout.widestName = std::max(layout.widestName, textWidth(name, NameSize));
    layout.slot = std::max(44.0, std::min(96.0, layout.widestName + 12));
    layout.turnNames = layout.widestName + 6 > layout.slot;
    layout.nameRoom = layout.turnNames ? layout.widestName + 14 : NameSize + 12;
    double widestTick = 0;
    for (const StudyRow& row : table.rows) {
        for (double tick : studyPanelScale(row).ticks) widestTick = std::max(widestTick, textWidth(shortNumber(tick), TickSize));
    }
    layout.axisRoom = widestTick + 12;
    layout.panelWidth =
        layout.axisRoom + layout.slot * static_cast<double>(std::max<std::size_t>(table.treatments.size(), 1)) + PanelGap;

    const std::size_t count = table.rows.size();
    const std::size_t columns = std::min<std::size_t>(std::max<std::size_t>(count, 1), StudyPanelsPerRow);
    double top = Margin;
    for (std::size_t first = 0; first < count; first += columns) {
        std::size_t lines = 0;
        for (std::size_t k = first; k < std::min(count, first + columns); ++k) {
            lines = std::max(lines, noteLines(table.rows[k], layout));
        }
        for (std::size_t k = first; k < std::min(count, first + columns); ++k) {
            const double left = Margin + static_cast<double>(k - first) * layout.panelWidth;
            drawPanel(figure, table, table.rows[k], layout, left, top, style);
        }
        top += TitleRoom + PlotHeight + layout.nameRoom + static_cast<double>(lines) * NoteLine + PanelGap;
    }
    figure.width = 2 * Margin + static_cast<double>(columns) * layout.panelWidth - PanelGap;
    figure.height = top - PanelGap + Margin;
    return figure;
}

}  // namespace cpt
