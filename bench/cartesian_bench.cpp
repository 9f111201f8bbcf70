// The Cartesian engine, and its pure pair calculation alone, against a
// straightforward one that stores every difference and sorts them with
// std::sort (4 treatments, B = 3000, no difference files), and the six
// difference files of one pair against the same lines written with
// fprintf("%.15G"). Data from a fixed seed; every pair table member and every
// file byte must agree, or the program aborts. After the runs the ratios are
// printed with their targets.
//
//   build-dir/bench/cartesian_bench            the comparisons
//   build-dir/bench/cartesian_bench --memory   one whole run from the button
//                                              click (files, engine, report),
//                                              then its peak resident memory
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bench/support/bench_run.h"
#include "core/analysis/cartesian_engine.h"
#include "core/analysis/pair_calculation.h"
#include "core/report/difference_files.h"
#include "core/analysis/cartesian_run.h"
#include "desktop_model/cartesian/test_dialogue.h"
#include "desktop_model/shell/main_window_model.h"
#include "desktop_model/state/app_context.h"
#include "support/literal_pair.h"

namespace {

using namespace cpt;

constexpr int Treatments = 4;
constexpr std::int32_t B = 3000;
constexpr double Centres[Treatments + 1] = {0, 0.2113, 0.2248, 0.1987, 0.2150};
constexpr double SampleSizes[Treatments + 1] = {0, 40, 38, 45, 41};

[[noreturn]] void fail(const std::string& why) { bench::failBench("cartesian_bench", why); }

// Bootstrap values of an intrinsic rate of increase, written with six
// decimals as the programs that make these files do.
const std::vector<std::vector<double>>& bootstrapValues() {
    static const std::vector<std::vector<double>> values = [] {
        std::mt19937_64 generator(20261209);
        std::normal_distribution<double> noise(0, 0.012);
        std::vector<std::vector<double>> all(Treatments + 1);
        for (int t = 1; t <= Treatments; ++t) {
            for (std::int32_t k = 0; k < B; ++k) {
                all[t].push_back(std::nearbyint((Centres[t] + noise(generator)) * 1e6) / 1e6);
            }
        }
        return all;
    }();
    return values;
}


// The treatments as a reader gives them, for `count` treatments.
std::vector<Treatment> benchTreatments(int count) {
    std::vector<Treatment> treatments;
    for (int t = 1; t <= count; ++t) {
        Treatment treatment;
        treatment.name = "Host " + std::to_string(t);
        treatment.code.assign(1, 'r');  // GCC 12 warns wrongly on = "r"
        treatment.sampleSize = static_cast<std::int32_t>(SampleSizes[t]);
        treatment.estimate = Centres[t];
        treatment.values.assign(bootstrapValues()[t].begin(), bootstrapValues()[t].end());
        treatments.push_back(std::move(treatment));
    }
    return treatments;
}

using PairResults = std::map<std::pair<int, int>, PairResult>;

// By entry numbers, whatever the mean order.
PairResults resultsOf(const CartesianResult& result) {
    PairResults results;
    for (const PairOutcome& pair : result.pairs) {
        int i = result.treatments[static_cast<std::size_t>(pair.first)].entry + 1;
        int j = result.treatments[static_cast<std::size_t>(pair.second)].entry + 1;
        results[{std::min(i, j), std::max(i, j)}] = pair.result;
    }
    return results;
}

// Every pair of the four treatments through pairResult(first, second, direction).
template <typename PairFunction>
PairResults everyPair(PairFunction pairResult) {
    const auto& x = bootstrapValues();
    double mean[Treatments + 1];
    for (int t = 1; t <= Treatments; ++t) {
        double sum = 0;
        for (double v : x[t]) sum += 1 * v;
        mean[t] = sum / B;
    }
    PairResults results;
    for (int i = 1; i < Treatments; ++i) {
        for (int j = i + 1; j <= Treatments; ++j) {
            results[{i, j}] = pairResult(x[i], x[j], directionOf(mean[i], mean[j]));
        }
    }
    return results;
}

// The straightforward engine: every difference stored in Cartesian order,
// judged and summed as it is formed, then all of them sorted.
PairResults straightforwardEngine(std::vector<double>& differences) {
    return everyPair([&](std::span<const double> first, std::span<const double> second, PairDirection direction) {
        return literalPairResult(first, second, direction, differences);
    });
}

PairResults engineResults;
PairResults pairCalculationResults;
PairResults straightforwardResults;

void BM_CartesianEngine(benchmark::State& bench) {
    const std::vector<Treatment> treatments = benchTreatments(Treatments);
    CartesianResult result;
    for (auto _ : bench) {
        result = runCartesianTest(treatments, {});
        benchmark::ClobberMemory();
    }
    engineResults = resultsOf(result);
}

// The pure pair calculation alone, without the state, the window or the trace.
void BM_PairCalculation(benchmark::State& bench) {
    for (auto _ : bench) {
        pairCalculationResults = everyPair([](std::span<const double> first, std::span<const double> second,
                                              PairDirection direction) {
            return calculatePair(first, second, direction);
        });
        benchmark::ClobberMemory();
    }
}

void BM_StraightforwardEngine(benchmark::State& bench) {
    std::vector<double> differences;
    differences.reserve(static_cast<std::size_t>(B) * B);
    for (auto _ : bench) {
        straightforwardResults = straightforwardEngine(differences);
        benchmark::ClobberMemory();
    }
}

// FNV-1a over the six files' bytes, in name order.
std::uint64_t hashFolder(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry.path());
    if (files.size() != 6) fail("expected six difference files in " + folder.string());
    std::sort(files.begin(), files.end());
    std::uint64_t hash = 14695981039346656037ull;
    std::vector<char> buffer(1 << 20);
    for (const auto& file : files) {
        for (char c : file.filename().string()) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        std::ifstream in(file, std::ios::binary);
        while (in) {
            in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            for (std::streamsize k = 0; k < in.gcount(); ++k) {
                hash = (hash ^ static_cast<unsigned char>(buffer[static_cast<std::size_t>(k)])) * 1099511628211ull;
            }
        }
    }
    return hash;
}

std::uint64_t engineFilesHash = 0;
std::uint64_t fprintfFilesHash = 0;
std::uintmax_t differenceFileBytes = 0;

// The six files of pair (1, 2) as the program writes them: the engine on two
// treatments with the difference files on.
void BM_DifferenceFiles(benchmark::State& bench) {
    bench::TempFolder folder("cartesian-bench", "engine");
    const std::vector<Treatment> treatments = benchTreatments(2);
    for (auto _ : bench) {
        // Each run writes the same six names, never beside an earlier run's.
        for (const auto& entry : std::filesystem::directory_iterator(folder.path)) std::filesystem::remove(entry.path());
        DifferenceFileSet files(folder.path, "25A-Cartesian diff");
        CartesianSettings settings;
        settings.differences = &files;
        runCartesianTest(treatments, settings);
    }
    engineFilesHash = hashFolder(folder.path);
    differenceFileBytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path)) differenceFileBytes += entry.file_size();
}

// "%.15G" turned into the record form: no zero before the point, -0 as 0.
const char* recordForm(double value, char* buffer) {
    if (value == 0) return "0";
    std::snprintf(buffer, 40, "%.15G", value);
    if (buffer[0] == '0' && buffer[1] == '.') return buffer + 1;
    if (buffer[0] == '-' && buffer[1] == '0' && buffer[2] == '.') {
        buffer[1] = '-';
        return buffer + 1;
    }
    return buffer;
}

void writeFprintfFiles(const std::filesystem::path& folder) {
    const auto& x = bootstrapValues();
    double mean[3];
    for (int t = 1; t <= 2; ++t) {
        double sum = 0;
        for (double v : x[t]) sum += v;
        mean[t] = sum / B;
    }
    const bool iMinusJ = mean[1] > mean[2];
    const double observed = iMinusJ ? mean[1] - mean[2] : mean[2] - mean[1];
    const std::string pair = "25A-Cartesian diff";
    auto open = [&](const char* tag, const char* suffix) {
        std::string name = pair + tag + "r-1 to 2" + suffix;
        std::FILE* file = std::fopen((folder / name).c_str(), "wb");
        if (file == nullptr) fail("cannot create " + name);
        return file;
    };
    std::FILE* all = open("_5-", "_diff-All (for N. sort).txt");
    std::FILE* sigA = open("_7-", "_diff-SigA.txt");
    std::FILE* sigB = open("_9-", "_diff-SigB.txt");
    std::FILE* insigA = open("_10-", "_diff-inSigA.txt");
    std::FILE* insigB = open("_11-", "_diff-inSigB.txt");
    std::FILE* toObserved = open("_6-", "_diff to mean diff.txt");

    char p1[40], p2[40];
    const char* means1 = recordForm(Centres[1], p1);
    const char* means2 = recordForm(Centres[2], p2);
    std::fprintf(all,
                 "\"Host 1 vs Host 2\"\r\n\"Next lines are the bootstrap number B, treament code, and Cartesian "
                 "C\"\r\n3000\r\n\"r vs r\"\r\n9000000\r\n\"Original means\",%s,%s\r\n\"Cart. number\",\"Cart. "
                 "Difference\"\r\n",
                 means1, means2);
    struct Split {
        std::FILE* file;
        const char* kind3;
        const char* kind5;
        const char* headings;
    };
    for (const Split& s : {Split{sigA, "sign.", "sign. diff.", "\"Serial no. of sig. diff.\",\"Sig. difference\""},
                           Split{sigB, "sign.", "sign. diff.", "\"Cart. prod. number\",\"Sig. difference\""},
                           Split{insigA, "insign. diff.", "insign. diff.",
                                 "\"Serial no. of insig. diff.\",\"Insig. difference\""},
                           Split{insigB, "insign. diff.", "insign. diff.",
                                 "\"Cart. prod. number\",\"Insig. difference\""}}) {
        std::fprintf(s.file,
                     "\"Host 1 vs Host 2\"\r\n\"Next line is effective bootstrap number (B)\"\r\n\"3000 (actual "
                     "number of %s can be less)\"\r\n\"r vs r\"\r\n\"9000000 (actual number of %s can be "
                     "less)\"\r\n9000000\r\n\"Treatment sample sizes are 40 and 38\"\r\n\"Original "
                     "means\",%s,%s\r\n%s\r\n",
                     s.kind3, s.kind5, means1, means2, s.headings);
    }
    std::fprintf(toObserved,
                 "\"Host 1 vs Host 2\"\r\n\"Next line is effective bootstrap number (B)\"\r\n3000\r\n\"rr\"\r\n"
                 "9000000\r\n9000000\r\n9000000\r\n\"Treatment sample sizes are 40 and 38\"\r\n\"Original "
                 "means\",%s,%s\r\n\"Cart. number\",\"Difference to original difference\"\r\n",
                 means1, means2);

    std::int32_t n = 0, significant = 0, insignificant = 0;
    char buffer[40];
    for (double xi : x[1]) {
        for (double xj : x[2]) {
            const double d = iMinusJ ? xi - xj : xj - xi;
            ++n;
            std::fprintf(all, "%d,%s\r\n", n, recordForm(d, buffer));
            std::fprintf(toObserved, "%d,%s\r\n", n, recordForm(d - observed, buffer));
            if (d > 0 && d < 2 * observed) {
                ++significant;
                std::fprintf(sigA, "%d,%s\r\n", significant, recordForm(d, buffer));
                std::fprintf(sigB, "%d,%s\r\n", n, recordForm(d, buffer));
            } else {
                ++insignificant;
                std::fprintf(insigA, "%d,%s\r\n", insignificant, recordForm(d, buffer));
                std::fprintf(insigB, "%d,%s\r\n", n, recordForm(d, buffer));
            }
        }
    }
    for (std::FILE* file : {all, sigA, sigB, insigA, insigB, toObserved}) {
        if (std::fclose(file) != 0) fail("cannot write the fprintf files");
    }
}

void BM_FprintfDifferenceFiles(benchmark::State& bench) {
    bench::TempFolder folder("cartesian-bench", "fprintf");
    for (auto _ : bench) writeFprintfFiles(folder.path);
    fprintfFilesHash = hashFolder(folder.path);
}

BENCHMARK(BM_CartesianEngine)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PairCalculation)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_StraightforwardEngine)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_DifferenceFiles)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_FprintfDifferenceFiles)->Unit(benchmark::kMillisecond)->Iterations(1);

// Keeps the mean real time of every benchmark, for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                seconds[run.benchmark_name()] = run.real_accumulated_time / static_cast<double>(run.iterations);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

// One whole run as the user makes it: four treatment files of B = 3000, the
// questions, the input, the engine and the report, in a temporary folder.
int wholeRunMemory() {
    bench::TempFolder folder("cartesian-bench", "memory");
    bench::NoQuestions dialogs("cartesian_bench");
    dialogs.inputs = {{"Read data file one by one for paired comparison using Cartesian Product", "4"},
                      {"Add a code to the output filename?", "1"}};
    for (int t = 1; t <= Treatments; ++t) {
        std::filesystem::path file = folder.path / ("host" + std::to_string(t) + ".txt");
        std::FILE* out = std::fopen(file.c_str(), "wb");
        std::fprintf(out, "\"Host %d\",\"Sample size\",%g,\"Bootstrap number\",%d,\"r\",%g,%.4f\r\n", t,
                     SampleSizes[t], B, SampleSizes[t], Centres[t]);
        for (double v : bootstrapValues()[t]) std::fprintf(out, "%.6f\r\n", v);
        std::fprintf(out, "-1\r\n");
        std::fclose(out);
        dialogs.files["Input treatment " + std::to_string(t)] = file.string();
    }
    SystemClock clock;
    AppContext context(dialogs, clock, false);
    context.workingDirectory = folder.path;
    LoadMainWindow(context);
    const auto start = std::chrono::steady_clock::now();
    cmdCartesianDifference_Click(context);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    bool reported = false;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path)) {
        reported = reported || entry.path().filename().string().find(" results-") != std::string::npos;
    }
    if (!reported) fail("the whole run wrote no report");
    std::int64_t differences = 0;
    for (const cpt::PairOutcome& pair : context.cartesianRun->result->pairs) {
        differences += pair.result.significant + pair.result.insignificant;
    }
    std::printf("whole run, 4 treatments of B = %d (%lld differences judged) in %.3f s: peak resident memory "
                "%.1f MB (target < 100 MB)\n",
                B, static_cast<long long>(differences), elapsed.count(),
                static_cast<double>(bench::peakResidentKilobytes()) / 1024);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--memory") == 0) return wholeRunMemory();

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    bool engineCompared = !engineResults.empty() && !straightforwardResults.empty();
    if (engineCompared && engineResults != straightforwardResults) fail("the engines disagree in a pair table");
    if (!pairCalculationResults.empty() && !straightforwardResults.empty() &&
        pairCalculationResults != straightforwardResults) {
        fail("the pair calculation disagrees with the straightforward engine");
    }
    bool filesCompared = engineFilesHash != 0 && fprintfFilesHash != 0;
    if (filesCompared && engineFilesHash != fprintfFilesHash) fail("the difference files differ from fprintf's");

    auto timeOf = [&](std::string_view name) {
        for (const auto& [runName, seconds] : reporter.seconds) {
            if (runName == name || runName.starts_with(std::string(name) + "/")) return seconds;
        }
        return 0.0;
    };
    auto ratio = [&](std::string_view slow, std::string_view fast) {
        return timeOf(fast) > 0 ? timeOf(slow) / timeOf(fast) : 0.0;
    };
    if (engineCompared) {
        std::printf("engine: %zu pairs identical in every member; %.1f times faster than store-and-std::sort "
                    "(target >= 10)\n",
                    engineResults.size(), ratio("BM_StraightforwardEngine", "BM_CartesianEngine"));
    }
    if (filesCompared) {
        std::printf("difference files: 6 files, 36000000 data lines, %.0f MB, identical bytes; %.1f times faster "
                    "than fprintf (target >= 3)\n",
                    static_cast<double>(differenceFileBytes) / 1e6,
                    ratio("BM_FprintfDifferenceFiles", "BM_DifferenceFiles"));
    }
    return 0;
}
