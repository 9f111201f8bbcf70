#include "core/figures/difference_histogram.h"

#include <stdexcept>
#include <string>

namespace cpt::figures {

std::int64_t differencesBelow(std::span<const double> a, std::span<const double> b, double limit) {
    const std::size_t n = b.size();
    std::size_t first = 0;  // first b with a - b below the limit for the current a
    std::int64_t count = 0;
    for (double x : a) {
        while (first < n && !(x - b[first] < limit)) ++first;
        count += static_cast<std::int64_t>(n - first);
    }
    return count;
}

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
