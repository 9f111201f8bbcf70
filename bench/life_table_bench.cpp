// The parts of one bootstrap replicate of a life table, for a cohort as in
// life_table_bench.sh (200 individuals living up to 100 days, about half
// of them females laying from day 10): the n0 draws, the estimates from the
// draws' counts, the Euler-Lotka root alone, and the generator's discard(),
// which a block of replicates pays to start where the draws before it end.
// The whole run's figures are life_table_bench.sh's.
//
//   build-dir/bench/life_table_bench
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "core/life/life_bootstrap.h"
#include "core/life/life_table.h"

namespace {

using namespace cpt::life;

std::vector<Individual> cohort200() {
    std::mt19937_64 random(20261211);
    std::vector<Individual> individuals;
    for (int i = 0; i < 200; ++i) {
        const bool female = random() % 2 == 0;
        const auto days = static_cast<std::size_t>(1 + random() % 100);
        std::vector<double> eggs(days, 0.0);
        if (female) {
            for (std::size_t x = 9; x < days; ++x) eggs[x] = static_cast<double>(random() % 10);
        }
        individuals.push_back({"i" + std::to_string(i), female ? Sex::Female : Sex::Male, eggs});
    }
    return individuals;
}

const std::vector<Individual>& individuals() {
    static const std::vector<Individual> cohort = cohort200();
    return cohort;
}

std::vector<const Individual*> pointers() {
    std::vector<const Individual*> p;
    for (const Individual& i : individuals()) p.push_back(&i);
    return p;
}

void BM_Draws(benchmark::State& state) {
    std::mt19937_64 generator(1);
    std::vector<std::uint32_t> counts(200);
    for (auto _ : state) {
        std::fill(counts.begin(), counts.end(), 0U);
        for (std::size_t j = 0; j < 200; ++j) ++counts[drawIndex(200, generator())];
        benchmark::DoNotOptimize(counts.data());
    }
}
BENCHMARK(BM_Draws);

void BM_Estimates(benchmark::State& state) {
    const auto cohort = pointers();
    SampleEstimator estimator(cohort, 1);
    std::mt19937_64 generator(1);
    std::vector<std::vector<std::uint32_t>> samples(64, std::vector<std::uint32_t>(200));
    for (auto& counts : samples) {
        for (std::size_t j = 0; j < 200; ++j) ++counts[drawIndex(200, generator())];
    }
    std::size_t k = 0;
    for (auto _ : state) {
        const Estimates e = estimator.estimate(samples[k++ % samples.size()]);
        benchmark::DoNotOptimize(e.r);
    }
}
BENCHMARK(BM_Estimates);

void BM_EulerLotkaRoot(benchmark::State& state) {
    const LifeTable table = lifeTableOf(pointers(), 1);
    std::vector<double> ages, weights;
    for (const LifeTableRow& row : table.rows) {
        if (row.lxmx > 0) {
            ages.push_back(row.age);
            weights.push_back(row.lxmx);
        }
    }
    for (auto _ : state) benchmark::DoNotOptimize(eulerLotkaRoot(ages, weights));
}
BENCHMARK(BM_EulerLotkaRoot);

// Per replicate of 200 draws skipped.
void BM_DiscardAReplicate(benchmark::State& state) {
    std::mt19937_64 generator(1);
    for (auto _ : state) {
        generator.discard(200);
        benchmark::DoNotOptimize(generator);
    }
}
BENCHMARK(BM_DiscardAReplicate);

}  // namespace

BENCHMARK_MAIN();
