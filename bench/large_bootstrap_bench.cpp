// Whole Cartesian runs of four treatments with B = 10,000, 100,000 and
// 1,000,000 bootstrap values each, from the treatment files to the report,
// without difference files: pairs of up to 10^12 differences, judged exactly
// from the sorted samples and their exact sums. Goal: 4 treatments of
// 1,000,000 values under 3 s and 250 MB, the time growing close to B log B;
// after the runs the growth is printed beside that of B log B, and the
// largest run's time and the peak memory beside the goal.
//
//   build-dir/bench/large_bootstrap_bench               the timed runs
//   build-dir/bench/large_bootstrap_bench --write B DIR writes the four
//       treatment files of B values into DIR, for a run of the batch program:
//       /usr/bin/time -v build-dir/src/cli/cpt cartesian -C OUT DIR/host*.txt
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench/support/bench_run.h"
#include "core/analysis/cartesian_run.h"
#include "desktop_model/cartesian/test_dialogue.h"
#include "desktop_model/state/app_context.h"
#include "desktop_model/shell/main_window_model.h"

namespace {

using namespace cpt;

constexpr int Treatments = 4;
constexpr double Centres[Treatments + 1] = {0, 0.2113, 0.2248, 0.1987, 0.2150};
constexpr int SampleSizes[Treatments + 1] = {0, 40, 38, 45, 41};

[[noreturn]] void fail(const std::string& why) { bench::failBench("large_bootstrap_bench", why); }

std::filesystem::path treatmentFile(const std::filesystem::path& folder, int t) {
    return folder / ("host" + std::to_string(t) + ".txt");
}

// Bootstrap values of an intrinsic rate of increase with six decimals, as
// the programs that make these files write them.
void writeTreatmentFiles(std::int32_t b, const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    std::mt19937_64 generator(20261210);
    std::normal_distribution<double> noise(0, 0.012);
    for (int t = 1; t <= Treatments; ++t) {
        const std::filesystem::path path = treatmentFile(folder, t);
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (out == nullptr) fail("cannot create " + path.string());
        std::fprintf(out, "\"Host %d\",\"Sample size\",%d,\"Bootstrap number\",%d,\"r\",%d,%.4f\r\n", t,
                     SampleSizes[t], b, SampleSizes[t], Centres[t]);
        for (std::int32_t k = 0; k < b; ++k) std::fprintf(out, "%.6f\r\n", Centres[t] + noise(generator));
        std::fprintf(out, "-1\r\n");
        if (std::fclose(out) != 0) fail("cannot write " + path.string());
    }
}

struct Seconds {
    double real = 0;
    double cpu = 0;
};
std::map<std::int64_t, Seconds> secondsPerRun;

void BM_WholeRun(benchmark::State& bench) {
    const auto b = static_cast<std::int32_t>(bench.range(0));
    bench::TempFolder folder("large-bootstrap", "B" + std::to_string(b));
    writeTreatmentFiles(b, folder.path);
    bench::NoQuestions dialogs("large_bootstrap_bench");
    dialogs.inputs = {{"Read data file one by one for paired comparison using Cartesian Product",
                       std::to_string(Treatments)},
                      {"Add a code to the output filename?", "bench"}};
    for (int t = 1; t <= Treatments; ++t) {
        dialogs.files["Input treatment " + std::to_string(t)] = treatmentFile(folder.path, t).string();
    }
    SystemClock clock;
    AppContext context(dialogs, clock, false);
    context.workingDirectory = folder.path;
    LoadMainWindow(context);
    for (auto _ : bench) {
        cmdCartesianDifference_Click(context);
        if (context.state.OutputFileName.empty()) fail("the run wrote no report");
    }
    std::int64_t judged = 0;
    for (const cpt::PairOutcome& pair : context.cartesianRun->result->pairs) {
        judged += pair.result.significant + pair.result.insignificant;
    }
    bench.counters["differences"] = static_cast<double>(judged);
}
BENCHMARK(BM_WholeRun)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

class GrowthReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                const std::string name = run.benchmark_name();
                const auto slash = name.find('/');
                secondsPerRun[std::stoll(name.substr(slash + 1))] = {run.GetAdjustedRealTime() / 1e3,
                                                                     run.GetAdjustedCPUTime() / 1e3};
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--write") == 0) {
        writeTreatmentFiles(static_cast<std::int32_t>(std::atol(argv[2])), argv[3]);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    GrowthReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    if (secondsPerRun.empty()) return 0;
    // On a shared machine the processor time says more than the wall clock.
    const auto& [firstB, first] = *secondsPerRun.begin();
    const auto bLogB = [](double b) { return b * std::log2(b); };
    std::printf("\n%10s %10s %10s %16s %16s\n", "B", "real (s)", "CPU (s)", "CPU time growth", "B log B growth");
    for (const auto& [b, seconds] : secondsPerRun) {
        std::printf("%10lld %10.3f %10.3f %16.1f %16.1f\n", static_cast<long long>(b), seconds.real, seconds.cpu,
                    seconds.cpu / first.cpu, bLogB(static_cast<double>(b)) / bLogB(static_cast<double>(firstB)));
    }
    if (secondsPerRun.contains(1'000'000)) {
        std::printf("4 treatments of 1,000,000 values: %.3f s real, %.3f s CPU (target < 3 s), "
                    "peak resident memory %.1f MB (target < 250 MB)\n",
                    secondsPerRun[1'000'000].real, secondsPerRun[1'000'000].cpu,
                    static_cast<double>(bench::peakResidentKilobytes()) / 1024);
    }
    return 0;
}
