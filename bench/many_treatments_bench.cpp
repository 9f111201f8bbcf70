// A whole batch run of ten treatments of B = 3000 (45 pairs, 405,000,000
// Cartesian differences) without difference files: the questions answered,
// both passes of the input, the engine and the report, as `cpt cartesian`
// does it. Target: under 1.5 s and 30 MB.
//
//   build-dir/bench/many_treatments_bench                 the timing
//   build-dir/bench/many_treatments_bench --memory        one run, then its peak resident memory
//   build-dir/bench/many_treatments_bench --write DIR     the ten treatment files, for
//       /usr/bin/time -v build-dir/src/cli/cpt cartesian -C OUT DIR/*.txt
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "bench/support/bench_run.h"
#include "core/analysis/cartesian_run.h"
#include "desktop_model/cartesian/test_dialogue.h"
#include "desktop_model/state/app_context.h"
#include "desktop_model/shell/main_window_model.h"

namespace {

using namespace cpt;

constexpr int Treatments = 10;
constexpr std::int32_t B = 3000;

[[noreturn]] void fail(const std::string& why) { bench::failBench("many_treatments_bench", why); }

// Ten host plants whose intrinsic rates of increase lie close together, so
// that most pairs overlap, written with six decimals from a fixed seed.
std::vector<std::filesystem::path> writeTreatmentFiles(const std::filesystem::path& folder) {
    std::mt19937_64 generator(20261210);
    std::normal_distribution<double> noise(0, 0.012);
    std::vector<std::filesystem::path> files;
    for (int t = 1; t <= Treatments; ++t) {
        const double centre = 0.18 + 0.004 * ((t * 7) % Treatments);
        const int sampleSize = 36 + t;
        std::filesystem::path file = folder / ("host" + std::to_string(t) + ".txt");
        std::FILE* out = std::fopen(file.c_str(), "wb");
        if (out == nullptr) fail("cannot write " + file.string());
        std::fprintf(out, "\"Host %d\",\"Sample size\",%d,\"Bootstrap number\",%d,\"r\",%d,%.4f\r\n", t, sampleSize,
                     B, sampleSize, centre);
        for (std::int32_t k = 0; k < B; ++k) std::fprintf(out, "%.6f\r\n", std::nearbyint((centre + noise(generator)) * 1e6) / 1e6);
        std::fprintf(out, "-1\r\n");
        if (std::fclose(out) != 0) fail("cannot write " + file.string());
        files.push_back(file);
    }
    return files;
}


// One run from the button click; returns the number of differences judged.
std::int64_t wholeRun(const std::filesystem::path& folder, const std::vector<std::filesystem::path>& files) {
    bench::NoQuestions dialogs("many_treatments_bench");
    dialogs.inputs = {{"Read data file one by one for paired comparison using Cartesian Product",
                       std::to_string(Treatments)},
                      {"Add a code to the output filename?", "1"}};
    for (int t = 1; t <= Treatments; ++t) {
        dialogs.files["Input treatment " + std::to_string(t)] = files[static_cast<std::size_t>(t - 1)].string();
    }
    SystemClock clock;
    AppContext context(dialogs, clock, false);
    context.workingDirectory = folder;
    LoadMainWindow(context);
    cmdCartesianDifference_Click(context);
    const AnalysisState& s = context.state;
    if (s.OutputFileName.empty() || !std::filesystem::exists(context.outputPath(s.OutputFileName))) {
        fail("the run wrote no report");
    }
    std::filesystem::remove(context.outputPath(s.OutputFileName));
    std::int64_t differences = 0;
    for (const cpt::PairOutcome& pair : context.cartesianRun->result->pairs) {
        differences += pair.result.significant + pair.result.insignificant;
    }
    return differences;
}

void BM_TenTreatmentsWholeRun(benchmark::State& bench) {
    bench::TempFolder folder("many-treatments-bench", "timing");
    const std::vector<std::filesystem::path> files = writeTreatmentFiles(folder.path);
    std::int64_t differences = 0;
    for (auto _ : bench) differences = wholeRun(folder.path, files);
    if (differences != std::int64_t{45} * B * B) fail("not every difference was judged");
    bench.counters["differences"] = static_cast<double>(differences);
}
BENCHMARK(BM_TenTreatmentsWholeRun)->Unit(benchmark::kMillisecond)->MinTime(3.0);

int memoryRun() {
    bench::TempFolder folder("many-treatments-bench", "memory");
    const std::vector<std::filesystem::path> files = writeTreatmentFiles(folder.path);
    const auto start = std::chrono::steady_clock::now();
    const std::int64_t differences = wholeRun(folder.path, files);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("whole run, %d treatments of B = %d (%lld differences judged) in %.3f s (target < 1.5 s): "
                "peak resident memory %.1f MB (target < 30 MB)\n",
                Treatments, B, static_cast<long long>(differences), elapsed.count(),
                static_cast<double>(bench::peakResidentKilobytes()) / 1024);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--memory") == 0) return memoryRun();
    if (argc > 2 && std::strcmp(argv[1], "--write") == 0) {
        std::filesystem::create_directories(argv[2]);
        for (const auto& file : writeTreatmentFiles(argv[2])) std::printf("%s\n", file.c_str());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
