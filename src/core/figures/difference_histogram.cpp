#include "core/figures/difference_histogram.h"

#include <stdexcept>
#include <string>

#include "core/common/sorted_differences.h"

namespace cpt::figures {

DifferenceHistogram differenceHistogram(std::span<const double> a, std::span<const double> b, int binCount) {
    if (binCount < 1) throw std::invalid_argument("differenceHistogram: bin count " + std::to_string(binCount));
    DifferenceHistogram histogram;
    histogram.total = static_cast<std::int64_t>(a.size()) * static_cast<std::int64_t>(b.size());
    if (histogram.total == 0) return histogram;
    const double smallest = a.front() - b.back();
    const double largest = a.back() - b.front();
    if (!(largest > smallest)) {
        histogram.start = smallest - 0.5;
        histogram.width = 1;
        histogram.counts = {histogram.total};
        return histogram;
    }
    histogram.start = smallest;
    histogram.width = (largest - smallest) / binCount;
    histogram.counts.assign(static_cast<std::size_t>(binCount), 0);
    std::int64_t belowLeft = 0;  // nothing lies below the smallest difference
    for (int bin = 0; bin < binCount; ++bin) {
        const std::int64_t belowRight =
            bin + 1 == binCount ? histogram.total
                                : differencesBelow(a, b, histogram.edge(static_cast<std::size_t>(bin + 1)));
        histogram.counts[static_cast<std::size_t>(bin)] = belowRight - belowLeft;
        belowLeft = belowRight;
    }
    return histogram;
}

}  // namespace cpt::figures
