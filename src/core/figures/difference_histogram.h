#pragma once
// The distribution of all Cartesian differences a - b of two samples, as a
// histogram counted from the sorted samples: the differences themselves are
// never listed (a pair at B = 3000 has 9,000,000 of them).
#include <cstdint>
#include <span>
#include <vector>

namespace cpt::figures {

struct DifferenceHistogram {
    double start = 0;  // left edge of the first bin
    double width = 1;  // every bin's width
    std::vector<std::int64_t> counts;
    std::int64_t total = 0;  // all differences, the sum of counts

    double edge(std::size_t bin) const { return start + width * static_cast<double>(bin); }
};

inline constexpr int DefaultHistogramBins = 60;

// Counts of fl(a - b), a from minuends, b from subtrahends, both sorted
// ascending, in binCount equal bins from the smallest to the largest
// difference; a bin holds its left edge, the last bin also its right edge.
// All differences equal: one bin of width 1 centred on them.
DifferenceHistogram differenceHistogram(std::span<const double> sortedMinuends,
                                        std::span<const double> sortedSubtrahends,
                                        int binCount = DefaultHistogramBins);

}  // namespace cpt::figures
