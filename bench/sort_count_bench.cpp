// Sort-and-count of a bootstrap result file of 1,000,000 values, from the
// questions to the last file, as the button runs it: reading, sorting, the
// three output files. Values kept as read, and kept to 3 decimals (many ties).
// And of a pair's difference file of 9,000,000 values (the file written
// "for N. sort"): goal under 3 s and 250 MB, the peak shown as "peak MB"
// (run it alone, so that the peak is its own):
//
//   build-dir/bench/sort_count_bench
//   build-dir/bench/sort_count_bench --benchmark_filter=DifferenceFile
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/support/bench_run.h"
#include "core/common/number_format.h"
#include "desktop_model/state/app_context.h"
#include "desktop_model/sorting/sort_and_count.h"

namespace {

constexpr int ValueCount = 1'000'000;

// Answers every question of a run the same way: by default a bootstrap file
// without serial numbers.
class BootstrapAnswers : public cpt::Dialogs {
public:
    BootstrapAnswers(std::string file, std::string decimals, int kind = cpt::AnswerNo, bool serialNumbers = false)
        : file_(std::move(file)), decimals_(std::move(decimals)), kind_(kind), serialNumbers_(serialNumbers) {}
    int messageBox(std::string_view, cpt::ButtonSet buttons, std::string_view title) override {
        if (title == "Data formate") return serialNumbers_ ? cpt::AnswerYes : cpt::AnswerNo;
        return buttons == cpt::ButtonSet::YesNoCancel ? kind_ : cpt::AnswerNo;
    }
    std::optional<std::string> inputBox(std::string_view, std::string_view, std::string_view) override {
        return decimals_;
    }
    std::optional<std::string> openFile(std::string_view) override { return file_; }
    void beep() override {}

private:
    std::string file_;
    std::string decimals_;
    int kind_;
    bool serialNumbers_;
};

// Named after the process, so that runs at the same time keep their files.
const std::filesystem::path& benchFolder() {
    static const cpt::bench::TempFolder folder("cpt-sort-count-bench", "files");
    return folder.path;
}

// The "_5-" file of a pair of two treatments of 3000 values: its heading of
// seven records, then number and difference of each of the 9,000,000.
std::filesystem::path differenceFile() {
    static const std::filesystem::path path = [] {
        const std::filesystem::path file = benchFolder() / "diff_5-A-1 to 2_diff-All (for N. sort).txt";
        std::ofstream out(file, std::ios::binary);
        out << "\"A vs B\"\r\n\"Next lines are the bootstrap number B, treament code, and Cartesian C\"\r\n"
               "3000\r\n\"A vs B\"\r\n9000000\r\n\"Original means\",.21,.2\r\n"
               "\"Cart. number\",\"Cart. Difference\"\r\n";
        std::mt19937_64 random(24);
        std::normal_distribution<double> first(0.21, 0.013);
        std::normal_distribution<double> second(0.2, 0.013);
        std::vector<double> a(3000), b(3000);
        for (double& x : a) x = first(random);
        for (double& x : b) x = second(random);
        long n = 0;
        for (double x : a) {
            for (double y : b) out << ++n << ',' << cpt::recordNumber(x - y) << "\r\n";
        }
        return file;
    }();
    return path;
}

std::filesystem::path bootstrapFile() {
    static const std::filesystem::path path = [] {
        const std::filesystem::path file = benchFolder() / "boot.txt";
        std::ofstream out(file, std::ios::binary);
        out << "Rate,0,30,0," << ValueCount << ",B1,30,.21\r\n";
        std::mt19937_64 random(11);
        std::normal_distribution<double> rate(0.21, 0.013);
        for (int i = 0; i < ValueCount; ++i) out << cpt::recordNumber(rate(random)) << "\r\n";
        return file;
    }();
    return path;
}

void sortAndCount(benchmark::State& run, const char* decimals) {
    BootstrapAnswers answers(bootstrapFile().string(), decimals);
    cpt::SystemClock clock;
    cpt::AppContext context(answers, clock, false);
    for (auto _ : run) {
        cpt::SortForBootstrapResults(context);
        benchmark::DoNotOptimize(context.state.ClassTotal);
    }
    run.counters["classes"] = context.state.ClassTotal;
}

void AsRead(benchmark::State& run) { sortAndCount(run, "-1"); }
void ThreeDecimals(benchmark::State& run) { sortAndCount(run, "3"); }

// As the desktop program runs it: paired-test results, with serial numbers.
void DifferenceFileOf9000000(benchmark::State& run) {
    const std::filesystem::path file = differenceFile();
    BootstrapAnswers answers(file.string(), "-1", cpt::AnswerCancel, true);
    cpt::SystemClock clock;
    for (auto _ : run) {
        cpt::AppContext context(answers, clock, false);
        cpt::SortForBootstrapResults(context);
        benchmark::DoNotOptimize(context.state.ClassTotal);
        run.counters["classes"] = context.state.ClassTotal;
    }
    run.counters["peak MB"] = static_cast<double>(cpt::bench::peakResidentKilobytes()) / 1024;
}

}  // namespace

BENCHMARK(AsRead)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ThreeDecimals)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(DifferenceFileOf9000000)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
