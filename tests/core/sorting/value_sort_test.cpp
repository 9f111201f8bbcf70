#include "core/sorting/value_sort.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numeric>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/literal_value_sort.h"
#include "core/sorting/value_sort_exchange.h"

namespace cpt {
namespace {

using Tags = std::vector<std::int32_t>;

// Bits, so that 0.0 and -0.0 in different places count as a difference.
std::vector<std::uint64_t> bitsOf(const std::vector<double>& values) {
    std::vector<std::uint64_t> bits;
    for (const double v : values) bits.push_back(std::bit_cast<std::uint64_t>(v));
    return bits;
}

Tags countingTags(std::size_t n) {
    Tags tags(n);
    std::iota(tags.begin(), tags.end(), 1);
    return tags;
}

struct Sorted {
    std::vector<double> values;
    Tags tags;
};

Sorted sortWith(ValueSorter& sorter, const std::vector<double>& values, const Tags& tags) {
    Sorted out{std::vector<double>(values.size()), Tags(tags.size())};
    sorter.sort(values, tags, out.values, out.tags);
    return out;
}

void expectSameAsLiteral(ValueSorter& sorter, const std::vector<double>& values) {
    const Tags tags = countingTags(values.size());
    const testing::LiteralSortResult expected = testing::literalValueSort(values, tags);
    const Sorted tagged = sortWith(sorter, values, tags);
    EXPECT_EQ(bitsOf(tagged.values), bitsOf(expected.values));
    EXPECT_EQ(tagged.tags, expected.tags);
    const Sorted untagged = sortWith(sorter, values, {});
    EXPECT_EQ(bitsOf(untagged.values), bitsOf(expected.values));
    // With the input as its work area: the same order, ties included.
    std::vector<double> input = values;
    Tags inputTags = tags;
    Sorted consumed{std::vector<double>(values.size()), Tags(tags.size())};
    sorter.sortConsumingInput(input, inputTags, consumed.values, consumed.tags);
    EXPECT_EQ(bitsOf(consumed.values), bitsOf(expected.values));
    EXPECT_EQ(consumed.tags, expected.tags);
}

struct EdgeCase {
    std::string name;
    std::vector<double> values;
    Tags tags;
    std::vector<double> sortedValues;
    Tags sortedTags;
};

std::vector<double> repeated(double v, std::size_t n) {
    return std::vector<double>(n, v);
}

TEST(ValueSortTest, KnownCasesGiveTheirExactOrder) {
    const double justAboveOne = std::nextafter(1.0, 2.0);
    const std::vector<EdgeCase> cases = {
        {"five equal values go up and come out reversed",
         repeated(5.0, 5),
         {1, 2, 3, 4, 5},
         repeated(5.0, 5),
         {5, 4, 3, 2, 1}},
        {"three 0.1 lie below their mean and keep their order",
         repeated(0.1, 3),
         {1, 2, 3},
         repeated(0.1, 3),
         {1, 2, 3}},
        {"ten 0.1 lie at or above their mean and come out reversed",
         repeated(0.1, 10),
         countingTags(10),
         repeated(0.1, 10),
         {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}},
        {"adjacent doubles on one side of the mean still end ascending",
         {1.0, justAboveOne},
         {1, 2},
         {1.0, justAboveOne},
         {1, 2}},
        {"adjacent doubles in falling order", {justAboveOne, 1.0}, {7, 8}, {1.0, justAboveOne}, {8, 7}},
        {"a single value", {-3.5}, {42}, {-3.5}, {42}},
        {"three values", {3, 1, 2}, {1, 2, 3}, {1, 2, 3}, {2, 3, 1}},
        {"two values", {2, 1}, {1, 2}, {1, 2}, {2, 1}},
        {"an isolated extreme stops the splitting; ties take the exchange pass's order",
         {5, 1, 1, 0, 1, 0},
         countingTags(6),
         {0, 0, 1, 1, 1, 5},
         {4, 6, 2, 5, 3, 1}},
    };
    ValueSorter sorter;
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Sorted fast = sortWith(sorter, c.values, c.tags);
        EXPECT_EQ(fast.values, c.sortedValues);
        EXPECT_EQ(fast.tags, c.sortedTags);
        // The yardstick has to agree with these cases too, or it proves nothing.
        const testing::LiteralSortResult literal = testing::literalValueSort(c.values, c.tags);
        EXPECT_EQ(literal.values, c.sortedValues);
        EXPECT_EQ(literal.tags, c.sortedTags);
    }
}

TEST(ValueSortTest, SortsWithoutTagsAndLeavesPositionsAboveNAlone) {
    ValueSorter sorter;
    const std::vector<double> values = {4, -1, 4, 0, 2.5};
    std::vector<double> out(7, 99.0);
    sorter.sort(values, {}, out, {});
    EXPECT_EQ(out, (std::vector<double>{-1, 0, 2.5, 4, 4, 99.0, 99.0}));
}

TEST(ValueSortTest, RefusesCallsItCannotServe) {
    ValueSorter sorter;
    std::vector<double> out(3), shortOut(2);
    Tags outTags(3), shortTags(2);
    const std::vector<double> three = {1, 2, 3};
    EXPECT_THROW(sorter.sort({}, {}, out, outTags), std::invalid_argument);
    EXPECT_THROW(sorter.sort(three, Tags{1, 2}, out, outTags), std::invalid_argument);
    EXPECT_THROW(sorter.sort(three, Tags{1, 2, 3}, out, shortTags), std::invalid_argument);
    EXPECT_THROW(sorter.sort(three, {}, shortOut, {}), std::invalid_argument);
}

// The exchange pass on its own, on buckets in any order: the result of the splitting
// is only one kind of input, and big tied classes rarely come out of it at small sizes.
TEST(ExchangePassOrderTest, MatchesThePlainPassOnBucketsWithTies) {
    std::mt19937_64 rng(20261209);
    ExchangePassOrder exchange;
    std::vector<std::uint32_t> order;
    for (int round = 0; round < 2300; ++round) {
        const std::size_t n = round < 2000 ? 1 + rng() % 80 : 1 + rng() % 3000;
        // Few, some or many distinct values: whole numbers or fractions of either sign.
        const std::size_t distinct = 1 + rng() % (round % 3 == 0 ? 4 : round % 3 == 1 ? 40 : n);
        std::vector<double> pool(distinct, 0.0);
        std::uniform_real_distribution<double> real(-1e3, 1e3);
        for (std::size_t k = 1; k < distinct; ++k)
            pool[k] = round % 2 ? static_cast<double>(static_cast<int>(rng() % 41) - 20) : real(rng);
        std::vector<double> values(n);
        for (double& v : values) v = pool[rng() % distinct];
        if (round % 5 == 0)  // zeros of both signs are equal but not interchangeable
            for (double& v : values)
                if (v == 0.0 && rng() % 2) v = -0.0;
        SCOPED_TRACE("round " + std::to_string(round) + ", n " + std::to_string(n));

        std::vector<double> expected = values;
        Tags expectedTags(n);
        std::iota(expectedTags.begin(), expectedTags.end(), 0);
        testing::literalExchangePass(expected.data(), expectedTags.data(), 0, static_cast<int>(n) - 1);

        order.assign(n, 0);
        exchange.arrange(values, order);
        ASSERT_EQ(Tags(order.begin(), order.end()), expectedTags);

        exchange.arrange(values, order, /*identicalTiesInterchangeable=*/true);
        std::vector<double> arranged;
        for (const std::uint32_t p : order) arranged.push_back(values[p]);
        ASSERT_EQ(bitsOf(arranged), bitsOf(expected));
    }
}

// The order of neighbouring doubles falls to the key alone, on either side of
// the top exponent bit and of 0; the plain pass swaps each falling pair.
TEST(ExchangePassOrderTest, NeighbouringDoublesComeInValueOrder) {
    const double lowers[] = {1.0, 2.0, 1e300, std::nextafter(-1.0, -INFINITY), -1.0, -2.0, -1e300, 0.0};
    ExchangePassOrder exchange;
    for (const double lower : lowers) {
        const double upper = std::nextafter(lower, INFINITY);
        SCOPED_TRACE(::testing::Message() << lower << " and the double above it");
        const std::vector<double> falling = {upper, lower};
        std::vector<std::uint32_t> order(2);
        EXPECT_TRUE(exchange.stableOrder(falling, order));
        EXPECT_EQ(order, (std::vector<std::uint32_t>{1, 0}));
        EXPECT_TRUE(exchange.arrange(falling, order));
        EXPECT_EQ(order, (std::vector<std::uint32_t>{1, 0}));
    }
}

using Generator = std::function<std::vector<double>(std::mt19937_64&, std::size_t)>;

struct DataKind {
    std::string name;
    Generator make;
};

std::vector<DataKind> dataKinds() {
    auto uniform = [](double lo, double hi) {
        return [lo, hi](std::mt19937_64& rng, std::size_t n) {
            std::uniform_real_distribution<double> d(lo, hi);
            std::vector<double> v(n);
            for (double& x : v) x = d(rng);
            return v;
        };
    };
    auto fewIntegers = [](int distinct, int offset) {
        return [distinct, offset](std::mt19937_64& rng, std::size_t n) {
            std::vector<double> v(n);
            for (double& x : v) x = static_cast<double>(static_cast<int>(rng() % distinct) + offset);
            return v;
        };
    };
    return {
        {"uniform", uniform(0.0, 1.0)},
        {"negative and positive", uniform(-1e6, 1e3)},
        {"three integers", fewIntegers(3, -1)},
        {"fifty integers", fewIntegers(50, 1)},
        {"each integer about twice",
         [](std::mt19937_64& rng, std::size_t n) {
             std::vector<double> v(n);
             for (double& x : v) x = static_cast<double>(rng() % (n / 2 + 1));
             return v;
         }},
        {"few integers with isolated extremes",
         [fewIntegers](std::mt19937_64& rng, std::size_t n) {
             std::vector<double> v = fewIntegers(6, -3)(rng, n);
             v[rng() % n] = 1e9;
             if (n > 1) v[rng() % n] = -1e7;
             return v;
         }},
        {"runs of equal values",
         [](std::mt19937_64& rng, std::size_t n) {
             std::vector<double> v(n);
             double current = 0.0;
             for (double& x : v) {
                 if (rng() % 8 == 0) current = static_cast<double>(static_cast<int>(rng() % 7) - 3);
                 x = current;
             }
             return v;
         }},
        {"signed zeros and ties",
         [](std::mt19937_64& rng, std::size_t n) {
             const double pool[] = {0.0, -0.0, 0.0, -0.0, 1.5, -2.25, 1.5};
             std::vector<double> v(n);
             for (double& x : v) x = pool[rng() % 7];
             return v;
         }},
        {"neighbouring doubles",
         [](std::mt19937_64& rng, std::size_t n) {
             std::vector<double> v(n);
             for (double& x : v) x = std::nextafter(0.1, rng() % 3 ? 0.0 : 1.0);
             return v;
         }},
        {"all equal",
         [](std::mt19937_64& rng, std::size_t n) { return std::vector<double>(n, rng() % 2 ? 0.1 : 5.0); }},
        {"descending with ties",
         [fewIntegers](std::mt19937_64& rng, std::size_t n) {
             std::vector<double> v = fewIntegers(20, 0)(rng, n);
             std::sort(v.rbegin(), v.rend());
             return v;
         }},
    };
}

TEST(ValueSortTest, MatchesTheLiteralSortOnRandomData) {
    std::mt19937_64 rng(7);
    ValueSorter sorter;  // shared on purpose: its work areas must not leak between calls
    for (const DataKind& kind : dataKinds()) {
        for (int round = 0; round < 140; ++round) {
            const std::size_t n = round < 120 ? 1 + static_cast<std::size_t>(round) : 200 + rng() % 5000;
            const std::vector<double> values = kind.make(rng, n);
            SCOPED_TRACE(kind.name + ", n " + std::to_string(n));
            expectSameAsLiteral(sorter, values);
            if (::testing::Test::HasFailure()) return;
        }
    }
}

// Ties that survive all ten levels: every level-9 bucket still holds several values.
TEST(ValueSortTest, MatchesTheLiteralSortThroughAllTenLevels) {
    std::mt19937_64 rng(11);
    ValueSorter sorter;
    for (const std::size_t n : {9000, 12000, 16000}) {
        std::vector<double> values(n);
        for (double& x : values) x = static_cast<double>(rng() % (n / 2));
        SCOPED_TRACE("n " + std::to_string(n));
        expectSameAsLiteral(sorter, values);
    }
}

}  // namespace
}  // namespace cpt
