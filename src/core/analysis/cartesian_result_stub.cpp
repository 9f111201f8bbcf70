#include "core/analysis/cartesian_result.h"

namespace cpt {

PairDirection directionOf(double a, double b) {
    bool f = a > b;
    return {f, f ? a - b : b - a};
}

int pairIndex(int i, int j, int n) { return i * n - i * (i + 1) / 2 + (j - i - 1); }

const PairOutcome& CartesianResult::pair(int i, int j) const {
    return pairs.at(static_cast<std::size_t>(pairIndex(i, j, treatmentCount())));
}

}  // namespace cpt
