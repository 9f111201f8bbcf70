#include "core/analysis/side_by_side_sums.h"

#include <cassert>

namespace cpt {
namespace {

constexpr std::size_t SideBySideSecondLimit = 1 << 15;

// Every difference is taken as x - y of signed values: (-x) - (-y) is y - x
// exactly, so one loop serves both directions.
template <std::size_t N>
std::vector<DifferenceSums> sumTogether(std::span<const PairSamples> pairs) {
    const std::size_t rows = pairs[0].first.size();
    const std::size_t columns = pairs[0].second.size();
    double sign[N];
    for (std::size_t p = 0; p < N; ++p) sign[p] = pairs[p].firstMinusSecond ? 1.0 : -1.0;
    // Column l of every pair next to each other, so that one row of all the
    // pairs is read as one stream.
    std::vector<double> seconds(columns * N);
    for (std::size_t p = 0; p < N; ++p) {
        for (std::size_t l = 0; l < columns; ++l) seconds[l * N + p] = sign[p] * pairs[p].second[l];
    }
    double sum[N] = {};
    double squares[N] = {};
    for (std::size_t k = 0; k < rows; ++k) {
        double x[N];
        for (std::size_t p = 0; p < N; ++p) x[p] = sign[p] * pairs[p].first[k];
        const double* y = seconds.data();
        for (std::size_t l = 0; l < columns; ++l, y += N) {
            for (std::size_t p = 0; p < N; ++p) {
                const double d = x[p] - y[p];
                sum[p] += d;
                squares[p] += d * d;
            }
        }
    }
    std::vector<DifferenceSums> sums(N);
    for (std::size_t p = 0; p < N; ++p) sums[p] = {sum[p], squares[p]};
    return sums;
}

}  // namespace

bool sumsSideBySide(std::size_t firstCount, std::size_t secondCount) {
    return firstCount > 0 && secondCount > 0 && secondCount <= SideBySideSecondLimit;
}

std::vector<DifferenceSums> sumSideBySide(std::span<const PairSamples> pairs) {
    assert(!pairs.empty() && pairs.size() <= SideBySidePairs);
    for (const PairSamples& pair : pairs) {
        assert(pair.first.size() == pairs[0].first.size() && pair.second.size() == pairs[0].second.size());
        (void)pair;
    }
    switch (pairs.size()) {
        case 1: {
            const PairSamples& pair = pairs[0];
            return {sumDifferences(pair.first.data(), static_cast<std::int32_t>(pair.first.size()),
                                   pair.second.data(), static_cast<std::int32_t>(pair.second.size()),
                                   pair.firstMinusSecond)};
        }
        case 2: return sumTogether<2>(pairs);
        case 3: return sumTogether<3>(pairs);
        default: return sumTogether<4>(pairs);
    }
}

}  // namespace cpt
