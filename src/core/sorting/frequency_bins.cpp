#include "core/sorting/frequency_bins.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace cpt {

double FrequencyBins::maxCount() const {
    return counts.empty() ? 0.0 : *std::max_element(counts.begin(), counts.end());
}

FrequencyBins binClasses(const ChartModel& chart, int maxBins) {
    FrequencyBins bins;
    const std::size_t classes = std::min(chart.classValues.size(), chart.classCounts.size());
    if (classes == 0) return bins;

    std::vector<std::pair<double, double>> table;
    table.reserve(classes);
    for (std::size_t k = 0; k < classes; ++k) {
        if (std::isfinite(chart.classValues[k])) table.emplace_back(chart.classValues[k], chart.classCounts[k]);
    }
    if (table.empty()) return bins;
    std::sort(table.begin(), table.end());

    const double low = table.front().first;
    const double high = table.back().first;
    double step = 0;  // smallest distance between neighbouring classes
    for (std::size_t k = 1; k < table.size(); ++k) {
        const double gap = table[k].first - table[k - 1].first;
        if (gap > 0 && (step == 0 || gap < step)) step = gap;
    }
    for (const auto& entry : table) bins.total += entry.second;

    // One value, or values so far apart that their distance is no Double.
    if (step == 0 || !std::isfinite(high - low)) {
        bins.start = low - 0.5;
        bins.width = 1;
        bins.counts.assign(1, bins.total);
        return bins;
    }

    const double cells = (high - low) / step + 1;
    const double target = std::clamp(std::ceil(std::sqrt(bins.total)), 10.0, static_cast<double>(maxBins));
    if (cells <= maxBins) {
        bins.width = step;
        bins.start = low - step / 2;
    } else if (cells < 1e12) {
        bins.width = std::ceil(cells / target) * step;
        bins.start = low - step / 2;
    } else {
        // So fine a grid means no grid: plain equal bins.
        bins.width = (high - low) / target;
        bins.start = low;
    }
    const double span = (high - bins.start) / bins.width;
    const auto binCount = static_cast<std::size_t>(std::clamp(std::floor(span) + 1, 1.0, static_cast<double>(maxBins) + 1));
    bins.counts.assign(binCount, 0.0);
    for (const auto& [value, count] : table) {
        const double at = std::floor((value - bins.start) / bins.width);
        const auto index = static_cast<std::size_t>(std::clamp(at, 0.0, static_cast<double>(binCount - 1)));
        bins.counts[index] += count;
    }
    return bins;
}

bool hasNormalCurve(double standardDeviation) { return std::isfinite(standardDeviation) && standardDeviation > 0; }

double normalCountAt(const FrequencyBins& bins, double mean, double standardDeviation, double x) {
    if (!hasNormalCurve(standardDeviation)) return 0;
    const double z = (x - mean) / standardDeviation;
    const double density = std::exp(-0.5 * z * z) / (standardDeviation * std::sqrt(2 * std::numbers::pi));
    return bins.total * bins.width * density;
}

std::vector<double> normalCurvePoints(double from, double to, double mean, double standardDeviation) {
    std::vector<double> xs;
    constexpr int Even = 240;
    for (int k = 0; k <= Even; ++k) xs.push_back(from + (to - from) * k / Even);
    constexpr int Near = 80;
    for (int k = 0; k <= Near; ++k) {
        const double x = mean - 4 * standardDeviation + 8 * standardDeviation * k / Near;
        if (x > from && x < to) xs.push_back(x);
    }
    std::sort(xs.begin(), xs.end());
    return xs;
}

}  // namespace cpt
