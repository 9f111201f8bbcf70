#include "core/sorting/sort_count_analysis.h"

#include <cmath>
#include <numeric>
#include <utility>

#include "core/common/decimal_parse.h"
#include "core/sorting/value_sort.h"

namespace cpt {
namespace {

bool sameClass(double value, double key) { return std::fabs(value - key) < 1e-12; }

template <typename Count>
void fillClasses(std::span<const double> sorted, std::span<double> classValues, std::span<Count> classCounts) {
    if (sorted.empty()) return;
    std::size_t k = 0;
    classValues[0] = sorted[0];
    classCounts[0] = 1;
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        if (sameClass(sorted[i], classValues[k])) {
            classCounts[k] += 1;
        } else {
            ++k;
            classValues[k] = sorted[i];
            classCounts[k] = 1;
        }
    }
}

}  // namespace

double limitDecimals(double value, double decimals) {
    if (decimals == -1) return value;
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    // Only a value near the Double limit can overflow here, and it has no decimals to drop.
    if (!std::isfinite(scaled)) return value;
    return std::floor(scaled + 0.5) / scale;
}

SortCountSummary summaryOf(const DataFileContents& contents, SortCountKind kind, double decimalLimit) {
    SortCountSummary summary;
    summary.kind = kind;
    summary.heading = contents.heading;
    summary.valueCount = static_cast<std::int32_t>(contents.values.size());
    summary.total = contents.total;
    summary.mean = contents.mean;
    summary.decimalLimit = decimalLimit;
    return summary;
}

SortedRows sortWithRowNumbers(SortCountValues values, double decimalLimit) {
    const std::size_t n = values.size();
    for (double& value : values) value = limitDecimals(value, decimalLimit);
    RowNumbers rows(n);
    std::iota(rows.begin(), rows.end(), 1);
    SortedRows sorted;
    sorted.values.resize(n);
    sorted.rows.resize(n);
    ValueSorter sorter;
    sorter.sortConsumingInput(values, rows, sorted.values, sorted.rows);
    return sorted;
}

std::int32_t classTotalOf(std::span<const double> sorted) {
    if (sorted.empty()) return 0;
    std::int32_t classes = 1;
    double key = sorted[0];
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        if (!sameClass(sorted[i], key)) {
            ++classes;
            key = sorted[i];
        }
    }
    return classes;
}

void countClassesInto(std::span<const double> sorted, std::span<double> classValues, std::span<double> classCounts) {
    fillClasses(sorted, classValues, classCounts);
}

SortCountClasses countClasses(std::span<const double> sorted) {
    // Counted first, so the table takes no more room than its classes.
    const auto classes = static_cast<std::size_t>(classTotalOf(sorted));
    SortCountClasses table;
    table.values.resize(classes);
    table.counts.resize(classes);
    fillClasses(sorted, std::span<double>(table.values), std::span<std::int32_t>(table.counts));
    return table;
}

SortCountResult runSortCount(const std::filesystem::path& dataPath, const SortCountSettings& settings) {
    DataFileContents contents = readDataFile(dataPath, settings.kind, settings.serialNumbers);
    SortCountResult result;
    static_cast<SortCountSummary&>(result) = summaryOf(contents, settings.kind, settings.decimalLimit);
    result.sorted = sortWithRowNumbers(std::move(contents.values), settings.decimalLimit);
    result.classes = countClasses(result.sorted.values);
    return result;
}

std::optional<double> decimalLimitOf(std::string_view text) {
    const std::optional<double> decimals = parseDecimalExactly(std::string(text));
    if (!decimals || *decimals < -1 || *decimals > 5) return std::nullopt;
    return decimals;
}

}  // namespace cpt
