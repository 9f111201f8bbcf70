#include "core/common/sorted_differences.h"

namespace cpt {
namespace {

template <typename Within>
std::int64_t countWhere(std::span<const double> a, std::span<const double> b, Within within) {
    const std::size_t n = b.size();
    std::size_t p = 0;  // first b whose difference with the current a is within
    std::int64_t count = 0;
    for (double x : a) {
        while (p < n && !within(x - b[p])) ++p;
        count += static_cast<std::int64_t>(n - p);
    }
    return count;
}

}  // namespace

std::int64_t differencesBelow(std::span<const double> a, std::span<const double> b, double limit) {
    return countWhere(a, b, [limit](double d) { return d < limit; });
}

std::int64_t differencesAtMost(std::span<const double> a, std::span<const double> b, double limit) {
    return countWhere(a, b, [limit](double d) { return d <= limit; });
}

}  // namespace cpt
