// The record form of a number, as the report writes it (fmt's "%.15G"
// characters) and as the difference files write it (the hand-written
// writer): both on the same values, bootstrap-like fractions of 17 digits
// and values of four decimals, from fixed seeds. The difference files write
// millions of numbers, which is why they keep a writer of their own.
//
//   build-dir/bench/number_writing_bench
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "core/common/fast_record_number.h"
#include "core/common/number_format.h"

namespace {

std::vector<double> values(bool fourDecimals) {
    std::mt19937_64 random(fourDecimals ? 11 : 7);
    std::uniform_real_distribution<double> spread(-2.0, 2.0);
    std::vector<double> out(1 << 16);
    for (double& value : out) {
        value = fourDecimals ? std::round(spread(random) * 1e4) / 1e4 : spread(random) / 3;
    }
    return out;
}

template <int (*Write)(double, char*)>
void writeAll(benchmark::State& state) {
    const std::vector<double> numbers = values(state.range(0) != 0);
    char buffer[cpt::MaxNumberChars];
    for (auto _ : state) {
        int written = 0;
        for (double value : numbers) written += Write(value, buffer);
        benchmark::DoNotOptimize(written);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(numbers.size()));
}

}  // namespace

BENCHMARK(writeAll<cpt::writeRecordNumber>)->Name("fmt_record_number")->Arg(0)->Arg(1);
BENCHMARK(writeAll<cpt::writeRecordNumberFast>)->Name("fast_record_number")->Arg(0)->Arg(1);
BENCHMARK_MAIN();
