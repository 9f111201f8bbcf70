// Sort-and-count of a bootstrap result file of 1,000,000 values, from the
// questions to the last file, as the button runs it: reading, sorting, the
// three output files. Values kept as read, and kept to 3 decimals (many ties).
//
//   build-dir/bench/sort_count_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/common/number_format.h"
#include "core/state/app_context.h"
#include "core/sorting/sort_and_count.h"

namespace {

constexpr int ValueCount = 1'000'000;

// Answers every question of a bootstrap run the same way.
class BootstrapAnswers : public cpt::Dialogs {
public:
    BootstrapAnswers(std::string file, std::string decimals) : file_(std::move(file)), decimals_(std::move(decimals)) {}
    int messageBox(std::string_view, cpt::ButtonSet, std::string_view) override { return cpt::AnswerNo; }
    std::optional<std::string> inputBox(std::string_view, std::string_view, std::string_view) override {
        return decimals_;
    }
    std::optional<std::string> openFile(std::string_view) override { return file_; }
    void beep() override {}

private:
    std::string file_;
    std::string decimals_;
};

std::filesystem::path bootstrapFile() {
    static const std::filesystem::path path = [] {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "cpt-sort-count-bench";
        std::filesystem::create_directories(folder);
        const std::filesystem::path file = folder / "boot.txt";
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

}  // namespace

BENCHMARK(AsRead)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ThreeDecimals)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(bootstrapFile().parent_path(), ignored);
    return 0;
}
