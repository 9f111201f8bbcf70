// Counts of the differences of two sorted samples, against a count over every
// difference, ties at the limit included.
#include <gtest/gtest.h>

#include <vector>

#include "core/common/sorted_differences.h"

namespace cpt {
namespace {

TEST(SortedDifferences, CountsMatchEveryDifferenceCounted) {
    const std::vector<double> a{-1, 0.5, 2, 2, 7};
    const std::vector<double> b{0, 0.5, 2, 3};
    for (double limit : {-5.0, -4.0, -1.0, 0.0, 0.5, 1.5, 2.0, 7.0, 8.0}) {
        SCOPED_TRACE(limit);
        std::int64_t below = 0;
        std::int64_t atMost = 0;
        for (double x : a) {
            for (double y : b) {
                below += x - y < limit;
                atMost += x - y <= limit;
            }
        }
        EXPECT_EQ(differencesBelow(a, b, limit), below);
        EXPECT_EQ(differencesAtMost(a, b, limit), atMost);
    }
    EXPECT_EQ(differencesBelow({}, b, 1), 0);
    EXPECT_EQ(differencesAtMost(a, {}, 1), 0);
}

}  // namespace
}  // namespace cpt
