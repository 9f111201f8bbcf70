#include "core/figures/plot_axes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace cpt::figures {

std::vector<double> niceTicks(double low, double high, int wanted) {
    if (!(high > low)) {
        const double pad = low == 0 ? 1 : std::fabs(low) * 0.1;
        low -= pad;
        high += pad;
    }
    const double rough = (high - low) / std::max(wanted - 1, 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power * 10;
    for (double factor : {1.0, 2.0, 5.0}) {
        if (power * factor >= rough) {
            step = power * factor;
            break;
        }
    }
    const double first = std::floor(low / step) * step;
    std::vector<double> ticks;
    for (int k = 0;; ++k) {
        double value = first + step * k;
        if (std::fabs(value) < step * 1e-9) value = 0;  // no "-1.1e-17" for zero
        ticks.push_back(value);
        if (value >= high - step * 1e-9 || k > 100) break;
    }
    return ticks;
}

namespace {
std::string significant(double value, int digits) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    std::string text = buffer;
    return text == "-0" ? "0" : text;
}
}  // namespace

std::string shortNumber(double value) { return significant(value, 4); }
std::string pValueText(double value) { return significant(value, 6); }

double textWidth(const std::string& text, double size) {
    std::size_t characters = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;  // UTF-8 continuation bytes do not count
    }
    return static_cast<double>(characters) * size * 0.62;
}

double yAxisRoom(const std::vector<double>& ticks) {
    double widest = 0;
    for (double tick : ticks) widest = std::max(widest, textWidth(shortNumber(tick), TickLabelSize));
    return widest + 8 + AxisTitleSize + 14;
}

void drawYAxis(Figure& figure, const PlotArea& area, const std::vector<double>& ticks, const std::string& title) {
    figure.lines.push_back({area.left, area.top, area.left, area.bottom, Black, 1, LineStyle::Solid, "axis"});
    figure.lines.push_back({area.left, area.bottom, area.right, area.bottom, Black, 1, LineStyle::Solid, "axis"});
    double widest = 0;
    for (double tick : ticks) {
        const double y = area.y(tick);
        figure.lines.push_back({area.left - 5, y, area.left, y, Black, 1, LineStyle::Solid, "tick"});
        figure.guides.push_back({area.left, y, area.right, y, LightGrey, 1, LineStyle::Solid, "grid"});
        const std::string label = shortNumber(tick);
        widest = std::max(widest, textWidth(label, TickLabelSize));
        figure.texts.push_back({area.left - 8, y + TickLabelSize * 0.35, label, TickLabelSize, Anchor::End, false, false,
                                Black, "tick-label"});
    }
    const double titleX = area.left - 8 - widest - 8;
    figure.texts.push_back({titleX, (area.top + area.bottom) / 2, title, AxisTitleSize, Anchor::Middle, false, true,
                            Black, "axis-title"});
}

void drawXAxis(Figure& figure, const PlotArea& area, const std::vector<double>& ticks, const std::string& title) {
    for (double tick : ticks) {
        const double x = area.x(tick);
        figure.lines.push_back({x, area.bottom, x, area.bottom + 5, Black, 1, LineStyle::Solid, "tick"});
        figure.texts.push_back({x, area.bottom + 8 + TickLabelSize, shortNumber(tick), TickLabelSize, Anchor::Middle,
                                false, false, Black, "tick-label"});
    }
    figure.texts.push_back({(area.left + area.right) / 2, area.bottom + 8 + TickLabelSize + 8 + AxisTitleSize, title,
                            AxisTitleSize, Anchor::Middle, false, false, Black, "axis-title"});
}

}  // namespace cpt::figures
