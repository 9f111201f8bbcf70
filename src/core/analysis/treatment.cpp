#include "core/analysis/treatment.h"

namespace cpt {

double orderingMeanOf(const Treatment& treatment) {
    if (treatment.orderingMean) return *treatment.orderingMean;
    double sum = 0;
    for (const double x : treatment.values) sum += x;
    return sum / static_cast<double>(treatment.values.size());
}

}  // namespace cpt
