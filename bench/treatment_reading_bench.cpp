// Reading a treatment bootstrap result file of 1,000,000 values, as each
// pass of the treatment input reads it: the heading fields, then every value
// through the field reader's checks. Goal: under 0.5 s.
//
//   build-dir/bench/treatment_reading_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "bench/support/bench_run.h"
#include "core/input/treatment_file.h"
#include "core/common/field_reader.h"
#include "core/common/number_format.h"

namespace {

constexpr std::int32_t ValueCount = 1'000'000;

std::filesystem::path treatmentFile() {
    // Named after the process, so that runs at the same time keep their files.
    static const cpt::bench::TempFolder folder("cpt-treatment-reading-bench", "files");
    static const std::filesystem::path path = [] {
        const std::filesystem::path file = folder.path / "treatment.txt";
        std::ofstream out(file, std::ios::binary);
        out << "\"Maize\",\"n\",30,\"B\"," << ValueCount << ",\"M\",30,.21\r\n";
        std::mt19937_64 random(15);
        std::normal_distribution<double> rate(0.21, 0.013);
        for (std::int32_t i = 0; i < ValueCount; ++i) out << cpt::recordNumber(rate(random)) << "\r\n";
        return file;
    }();
    return path;
}

void ReadTreatmentFile(benchmark::State& run) {
    const std::filesystem::path file = treatmentFile();
    double sum = 0;
    for (auto _ : run) {
        cpt::FieldReader reader = cpt::FieldReader::fromFile(file);
        const cpt::TreatmentHeading heading = cpt::readTreatmentHeading(reader);
        for (std::int32_t k = 1; k <= heading.bootstrapNumber; ++k) {
            sum += cpt::readBootstrapValue(reader, k, cpt::Transformation::None).value;
        }
    }
    benchmark::DoNotOptimize(sum);
    run.counters["values"] = ValueCount;
}

}  // namespace

BENCHMARK(ReadTreatmentFile)->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();
