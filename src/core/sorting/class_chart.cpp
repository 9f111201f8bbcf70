#include "core/sorting/class_chart.h"

#include <cmath>
#include <string>
#include <utility>


namespace cpt {
namespace {

std::string dataSetName(SortCountKind kind, const std::string& projectName, const std::string& treatmentName,
                        const std::string& code) {
    // A bootstrap file's chart names its parameter too, not only the treatment.
    if (kind != SortCountKind::General) {
        if (code.empty()) return treatmentName;
        return treatmentName + " (" + code + ")";
    }
    if (code.empty()) return projectName;
    if (projectName.empty()) return code;
    return projectName + " " + code;
}

template <typename Count>
ChartModel chartOf(std::string title, std::span<const double> values, std::span<const Count> counts) {
    ChartModel chart;
    chart.title = std::move(title);
    double n = 0;
    double sum = 0;
    for (std::size_t k = 0; k < values.size(); ++k) {
        const double count = counts[k];
        chart.classValues.push_back(values[k]);
        chart.classCounts.push_back(count);
        n += count;
        sum += count * values[k];
    }
    if (n == 0) return chart;
    chart.mean = sum / n;
    double squares = 0;
    for (std::size_t k = 0; k < values.size(); ++k) {
        const double deviation = values[k] - chart.mean;
        squares += static_cast<double>(counts[k]) * deviation * deviation;
    }
    chart.standardDeviation = n > 1 ? std::sqrt(squares / (n - 1)) : 0.0;
    return chart;
}

}  // namespace

ChartModel frequencyChartOf(const SortCountResult& result) {
    const DataFileHeading& heading = result.heading;
    return chartOf(dataSetName(result.kind, heading.projectName, heading.treatmentName, heading.code),
                   std::span<const double>(result.classes.values), std::span<const std::int32_t>(result.classes.counts));
}

ChartModel frequencyChartOf(SortCountKind kind, const std::string& projectName, const std::string& treatmentName,
                            const std::string& code, std::span<const double> values, std::span<const double> counts) {
    return chartOf(dataSetName(kind, projectName, treatmentName, code), values, counts);
}

}  // namespace cpt
