#include "core/figures/life_figures.h"

#include <algorithm>
#include <array>

#include "core/figures/plot_axes.h"

namespace cpt::figures {
namespace {

constexpr double MarginTop = 48;
constexpr double MarginSide = 24;
constexpr double KeySize = 12;
// Told apart in print and by readers with the commonest colour blindness.
constexpr std::array<Colour, 6> CurveColours{DarkBlue, MarkOrange, MarkGreen, MarkRed, Colour{120, 70, 160},
                                             Colour{90, 90, 90}};
constexpr std::array<LineStyle, 3> CurveStyles{LineStyle::Solid, LineStyle::Dashed, LineStyle::Dotted};

double valueOf(const life::LifeTableRow& row, LifeCurve curve) { return curve == LifeCurve::Survival ? row.lx : row.mx; }

}  // namespace

std::string lifeFigureStem(LifeCurve curve) { return curve == LifeCurve::Survival ? "life-table-lx" : "life-table-mx"; }

Figure lifeTableFigure(const life::LifeResult& result, LifeCurve curve) {
    Figure figure;
    const std::string name = curve == LifeCurve::Survival ? "lx" : "mx";
    figure.title = curve == LifeCurve::Survival ? "Survival l_x by age" : "Fecundity m_x by age";
    figure.texts.push_back({figure.width / 2, 28, figure.title, TitleSize, Anchor::Middle, true, false, Black, "title"});

    double ageLow = 0, ageHigh = 1, high = curve == LifeCurve::Survival ? 1 : 0;
    bool first = true;
    double widestKey = 0;
    for (const life::TreatmentResult& t : result.treatments) {
        widestKey = std::max(widestKey, textWidth(t.name, KeySize));
        for (const life::LifeTableRow& row : t.table.rows) {
            ageLow = first ? row.age : std::min(ageLow, row.age);
            ageHigh = first ? row.age : std::max(ageHigh, row.age);
            first = false;
            high = std::max(high, valueOf(row, curve));
        }
    }
    if (ageHigh <= ageLow) ageHigh = ageLow + 1;
    if (high <= 0) high = 1;
    const std::vector<double> yTicks = niceTicks(0, high);
    const std::vector<double> xTicks = niceTicks(ageLow, ageHigh, 8);
    PlotArea area;
    area.left = MarginSide + yAxisRoom(yTicks);
    area.right = figure.width - MarginSide - widestKey - 40;
    area.top = MarginTop;
    area.bottom = figure.height - 60;
    area.xLow = xTicks.front();
    area.xHigh = xTicks.back();
    area.yLow = yTicks.front();
    area.yHigh = yTicks.back();
    drawYAxis(figure, area, yTicks, name);
    drawXAxis(figure, area, xTicks, "Age (days)");

    for (std::size_t k = 0; k < result.treatments.size(); ++k) {
        const life::TreatmentResult& t = result.treatments[k];
        const Colour colour = CurveColours[k % CurveColours.size()];
        const LineStyle style = CurveStyles[(k / CurveColours.size()) % CurveStyles.size()];
        const std::vector<life::LifeTableRow>& rows = t.table.rows;
        for (std::size_t i = 1; i < rows.size(); ++i) {
            figure.lines.push_back({area.x(rows[i - 1].age), area.y(valueOf(rows[i - 1], curve)), area.x(rows[i].age),
                                    area.y(valueOf(rows[i], curve)), colour, 2, style, "curve"});
        }
        const double keyY = area.top + 10 + 20 * static_cast<double>(k);
        const double keyX = area.right + 12;
        figure.lines.push_back({keyX, keyY - 4, keyX + 20, keyY - 4, colour, 2, style, "key"});
        figure.texts.push_back({keyX + 26, keyY, t.name, KeySize, Anchor::Start, false, false, Black, "key"});
    }
    return figure;
}

}  // namespace cpt::figures
