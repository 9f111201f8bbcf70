// The value sort against std::sort of the same (value, tag) pairs, on three kinds of
// data, all from fixed seeds. After the runs the ratios are printed, with the targets.
//
//   build-dir/bench/value_sort_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "core/sorting/value_sort.h"

// Counts every allocation in this program, so the runs can show that a warmed-up
// sorter allocates nothing.
namespace {
std::atomic<std::int64_t> allocationCount{0};
}

void* operator new(std::size_t size) {
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
// GCC cannot see that the replaced operator new above is malloc underneath.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

namespace {

struct Data {
    std::vector<double> values;
    std::vector<std::int32_t> tags;
};

Data withTags(std::vector<double> values) {
    Data d{std::move(values), {}};
    d.tags.resize(d.values.size());
    for (std::size_t i = 0; i < d.tags.size(); ++i) d.tags[i] = static_cast<std::int32_t>(i + 1);
    return d;
}

const Data& uniformData() {
    static const Data data = [] {
        std::mt19937_64 rng(1);
        std::uniform_real_distribution<double> d(0.0, 1.0);
        std::vector<double> v(1'000'000);
        for (double& x : v) x = d(rng);
        return withTags(std::move(v));
    }();
    return data;
}

const Data& fiftyIntegersData() {
    static const Data data = [] {
        std::mt19937_64 rng(2);
        std::vector<double> v(1'000'000);
        for (double& x : v) x = static_cast<double>(1 + rng() % 50);
        return withTags(std::move(v));
    }();
    return data;
}

// All 3000 x 3000 differences of two bootstrap-like samples, in the engine's order.
const Data& cartesianData() {
    static const Data data = [] {
        std::mt19937_64 rng(3);
        std::normal_distribution<double> larger(0.245, 0.012), smaller(0.231, 0.015);
        std::vector<double> a(3000), b(3000);
        for (double& x : a) x = larger(rng);
        for (double& x : b) x = smaller(rng);
        std::vector<double> v;
        v.reserve(a.size() * b.size());
        for (const double x : a)
            for (const double y : b) v.push_back(x - y);
        return withTags(std::move(v));
    }();
    return data;
}

using DataSource = const Data& (*)();

// Allocations per timed iteration, for the same column on every line.
class AllocationCounter {
public:
    explicit AllocationCounter(benchmark::State& state) : state_(state), before_(allocationCount.load()) {}
    ~AllocationCounter() {
        state_.counters["allocs/call"] =
            static_cast<double>(allocationCount.load() - before_) /
            static_cast<double>(std::max<benchmark::IterationCount>(state_.iterations(), 1));
    }

private:
    benchmark::State& state_;
    std::int64_t before_;
};

void valueSorter(benchmark::State& state, DataSource source, bool tagged) {
    const Data& data = source();
    const std::size_t n = data.values.size();
    std::vector<double> outValues(n);
    std::vector<std::int32_t> outTags(tagged ? n : 0);
    const std::span<const std::int32_t> tags =
        tagged ? std::span<const std::int32_t>(data.tags) : std::span<const std::int32_t>();
    cpt::ValueSorter sorter;
    sorter.sort(data.values, tags, outValues, outTags);  // grows the work areas
    const AllocationCounter allocations(state);
    for (auto _ : state) {
        sorter.sort(data.values, tags, outValues, outTags);
        benchmark::DoNotOptimize(outValues.data());
        benchmark::DoNotOptimize(outTags.data());
    }
}

void stdSortPairs(benchmark::State& state, DataSource source) {
    const Data& data = source();
    const std::size_t n = data.values.size();
    std::vector<std::pair<double, std::int32_t>> pairs(n);
    const AllocationCounter allocations(state);
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t i = 0; i < n; ++i) pairs[i] = {data.values[i], data.tags[i]};
        state.ResumeTiming();
        std::sort(pairs.begin(), pairs.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
        benchmark::DoNotOptimize(pairs.data());
    }
}

void stdSortValues(benchmark::State& state, DataSource source) {
    const Data& data = source();
    std::vector<double> values(data.values.size());
    const AllocationCounter allocations(state);
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(data.values.begin(), data.values.end(), values.begin());
        state.ResumeTiming();
        std::sort(values.begin(), values.end());
        benchmark::DoNotOptimize(values.data());
    }
}

void inMilliseconds(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond);
}

void registerAll() {
    const struct {
        const char* name;
        DataSource source;
    } kinds[] = {{"uniform_1M", uniformData},
                 {"fifty_integers_1M", fiftyIntegersData},
                 {"cartesian_9M", cartesianData}};
    for (const auto& kind : kinds) {
        const std::string name = kind.name;
        inMilliseconds(benchmark::RegisterBenchmark(("ValueSorter_tags/" + name).c_str(), valueSorter,
                                                    kind.source, true));
        inMilliseconds(
            benchmark::RegisterBenchmark(("std_sort_pairs/" + name).c_str(), stdSortPairs, kind.source));
    }
    // The difference engine sorts without tags.
    inMilliseconds(
        benchmark::RegisterBenchmark("ValueSorter_no_tags/cartesian_9M", valueSorter, cartesianData, false));
    inMilliseconds(
        benchmark::RegisterBenchmark("std_sort_values/cartesian_9M", stdSortValues, cartesianData));
}

// Keeps the CPU time of every run so the ratios can be printed at the end. CPU time, as
// the machine may be busy with other work; both sides run on one thread.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    RecordingReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void printRatio(const std::string& kind, const std::string& ours, const std::string& theirs,
                    double target) const {
        const auto a = times_.find(ours + "/" + kind);
        const auto b = times_.find(theirs + "/" + kind);
        if (a == times_.end() || b == times_.end()) return;
        const double ratio = a->second / b->second;
        std::printf("%-20s %-20s / %-16s = %5.2f", kind.c_str(), ours.c_str(), theirs.c_str(), ratio);
        if (target > 0)
            std::printf("   (target at most %.0f: %s)", target, ratio <= target ? "met" : "MISSED");
        std::printf("\n");
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nCPU time ratios in this run:\n");
    reporter.printRatio("uniform_1M", "ValueSorter_tags", "std_sort_pairs", 3);
    reporter.printRatio("fifty_integers_1M", "ValueSorter_tags", "std_sort_pairs", 10);
    reporter.printRatio("cartesian_9M", "ValueSorter_tags", "std_sort_pairs", 0);
    reporter.printRatio("cartesian_9M", "ValueSorter_no_tags", "std_sort_values", 0);
    benchmark::Shutdown();
    return 0;
}
