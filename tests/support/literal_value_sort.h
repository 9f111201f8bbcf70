// Plain, step-by-step version of the value sort, kept only as the yardstick the
// fast ValueSorter is checked against. Positions are 1-based, as in the analysis
// state's arrays; nothing here is tuned.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace cpt::testing {

struct LiteralSortResult {
    std::vector<double> values;
    std::vector<std::int32_t> tags;
};

// The exchange pass over positions s..e (inclusive) of one bucket.
inline void literalExchangePass(double* v, std::int32_t* t, int s, int e) {
    for (int i = s; i <= e - 1; ++i) {
        for (int j = i + 1; j <= e; ++j) {
            if (v[i] > v[j]) {
                std::swap(v[i], v[j]);
                std::swap(t[i], t[j]);
            }
        }
    }
}

inline LiteralSortResult literalValueSort(const std::vector<double>& input,
                                          const std::vector<std::int32_t>& inputTags) {
    constexpr int Levels = 10;
    constexpr int BucketCap = 1024;
    const int n = static_cast<int>(input.size());

    struct Area {
        std::vector<double> v;
        std::vector<std::int32_t> t;
    };
    auto makeArea = [n] { return Area{std::vector<double>(n + 1), std::vector<std::int32_t>(n + 1)}; };
    Area in = makeArea(), sorted = makeArea(), workA = makeArea(), workB = makeArea();
    for (int i = 1; i <= n; ++i) {
        in.v[i] = input[i - 1];
        in.t[i] = inputTags.empty() ? 0 : inputTags[i - 1];
    }

    // Tables indexed [level][bucket], both 1-based.
    auto table = [](auto zero) {
        return std::vector<std::vector<decltype(zero)>>(Levels + 1,
                                                        std::vector<decltype(zero)>(BucketCap + 1, zero));
    };
    auto start = table(0), end = table(0), count = table(0);
    auto sum = table(0.0), mean = table(0.0);

    // Step 4: false when the level has an empty bucket.
    auto takeMeans = [&](int level) {
        for (int b = 1; b <= (1 << level); ++b) {
            if (count[level][b] == 0) return false;
            mean[level][b] = sum[level][b] / count[level][b];
        }
        return true;
    };
    auto place = [&](Area& to, int level, int lower, int upper, double v, std::int32_t t, double m) {
        if (v >= m) {
            const int p = end[level][upper] - count[level][upper];
            to.v[p] = v;
            to.t[p] = t;
            ++count[level][upper];
            sum[level][upper] += v;
        } else {
            const int p = start[level][lower] + count[level][lower];
            to.v[p] = v;
            to.t[p] = t;
            ++count[level][lower];
            sum[level][lower] += v;
        }
    };

    double total = 0.0;
    for (int i = 1; i <= n; ++i) total += in.v[i];
    const double m = total / n;

    start[1][1] = 1;
    end[1][2] = n;
    for (int i = 1; i <= n; ++i) place(sorted, 1, 1, 2, in.v[i], in.t[i], m);
    end[1][1] = start[1][1] + count[1][1] - 1;
    start[1][2] = end[1][2] - count[1][2] + 1;

    auto output = [&](const Area& a) {
        LiteralSortResult r;
        r.values.assign(a.v.begin() + 1, a.v.end());
        r.tags.assign(a.t.begin() + 1, a.t.end());
        if (inputTags.empty()) r.tags.clear();
        return r;
    };

    if (!takeMeans(1)) {
        // The one mended fault: one side empty but not all equal still ends ascending,
        // equal values keeping their level-1 order.
        std::vector<std::pair<double, std::int32_t>> level1;
        for (int i = 1; i <= n; ++i) level1.emplace_back(sorted.v[i], sorted.t[i]);
        std::stable_sort(level1.begin(), level1.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (int i = 1; i <= n; ++i) std::tie(sorted.v[i], sorted.t[i]) = level1[i - 1];
        return output(sorted);
    }

    Area* areaOf[Levels + 1] = {nullptr, &sorted, &workA, &workB, &sorted, &workA,
                                 &workB,  &sorted, &workA, &workB, &sorted};
    int level = 1;
    while ((1 << level) < BucketCap) {
        const int next = level + 1;
        for (int b = 1; b <= (1 << next); ++b) {
            count[next][b] = 0;
            sum[next][b] = 0.0;
        }
        const Area& from = *areaOf[level];
        Area& to = *areaOf[next];
        for (int b = 1; b <= (1 << level); ++b) {
            const int lower = 2 * b - 1, upper = 2 * b;
            start[next][lower] = start[level][b];
            end[next][upper] = end[level][b];
            for (int i = start[level][b]; i <= end[level][b]; ++i)
                place(to, next, lower, upper, from.v[i], from.t[i], mean[level][b]);
            end[next][lower] = start[next][lower] + count[next][lower] - 1;
            start[next][upper] = end[next][upper] - count[next][upper] + 1;
        }
        if (!takeMeans(next)) break;
        level = next;
    }

    if (areaOf[level] != &sorted) sorted = *areaOf[level];

    for (int b = 1; b <= (1 << level); ++b)
        literalExchangePass(sorted.v.data(), sorted.t.data(), start[level][b], end[level][b]);
    return output(sorted);
}

}  // namespace cpt::testing
