// A whole study as cpt study runs it: 10 parameters of 6 treatments with
// B = 100,000 each, read from their 60 files, 10 Cartesian runs (150 pairs of
// 10^10 differences, every one beyond the listed capacity, judged from the
// sorted samples and exact sums), 10 reports and the table's files in every
// format. Goal: at most 5 s and 300 MB; the wall clock, processor time and
// peak memory are printed beside it.
//
//   build-dir/bench/study_bench                 the timed run
//   build-dir/bench/study_bench --write DIR     writes the 60 files into DIR, for
//       /usr/bin/time -v build-dir/src/cli/cpt study -C OUT DIR/*.txt
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "batch/study_batch.h"
#include "bench/support/bench_run.h"
#include "study_files/study_table_files.h"

namespace {

constexpr int Treatments = 6;
constexpr std::int32_t BootstrapNumber = 100'000;
const char* const Parameters[] = {"r", "lambda", "R0", "T", "GRR", "b", "d", "fecundity", "longevity", "preadult"};
constexpr double Centres[] = {0.21, 1.23, 48.0, 18.5, 95.0, 0.24, 0.03, 310.0, 42.0, 14.2};

[[noreturn]] void fail(const std::string& why) { cpt::bench::failBench("study_bench", why); }

// Values with six decimals, as the programs that make these files write them;
// the treatments' centres a few standard errors apart.
std::vector<std::string> writeStudyFiles(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    std::mt19937_64 generator(20261210);
    std::vector<std::string> paths;
    for (std::size_t p = 0; p < std::size(Parameters); ++p) {
        const double spread = Centres[p] * 0.05;
        std::normal_distribution<double> noise(0, spread);
        for (int t = 1; t <= Treatments; ++t) {
            const double centre = Centres[p] * (1 + 0.01 * ((t * 7 + static_cast<int>(p)) % Treatments));
            const std::filesystem::path path = folder / ("host" + std::to_string(t) + "-" + Parameters[p] + ".txt");
            std::FILE* out = std::fopen(path.c_str(), "wb");
            if (out == nullptr) fail("cannot create " + path.string());
            std::fprintf(out, "\"Host %d\",\"Sample size\",%d,\"Bootstrap number\",%d,\"%s\",%d,%.6f\r\n", t, 40 + t,
                         BootstrapNumber, Parameters[p], 40 + t, centre);
            for (std::int32_t k = 0; k < BootstrapNumber; ++k) std::fprintf(out, "%.6f\r\n", centre + noise(generator));
            std::fprintf(out, "-1\r\n");
            if (std::fclose(out) != 0) fail("cannot write " + path.string());
            paths.push_back(path.string());
        }
    }
    return paths;
}

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        writeStudyFiles(argv[2]);
        return 0;
    }
    cpt::bench::TempFolder inputs("study_bench", "inputs");
    cpt::bench::TempFolder output("study_bench", "output");
    cpt::batch::StudyBatchOptions options;
    options.files = writeStudyFiles(inputs.path);
    options.folder = output.path.string();
    options.formats.assign(std::begin(cpt::AllStudyFormats), std::end(cpt::AllStudyFormats));
    options.threads = argc == 3 && std::strcmp(argv[1], "--threads") == 0 ? std::atoi(argv[2]) : 1;

    std::ostringstream messages;
    const double cpuBefore = processorSeconds();
    const auto start = std::chrono::steady_clock::now();
    const cpt::batch::BatchOutcome outcome = cpt::batch::runStudyBatch(options, cpt::writeStudyTableFiles, messages);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    const double cpu = processorSeconds() - cpuBefore;
    if (outcome.status != cpt::batch::ExitSuccess) fail("the study failed: " + messages.str());
    if (outcome.written.size() != std::size(Parameters) + 6) fail("the study wrote " + std::to_string(outcome.written.size()) + " files");
    // Every report says its pairs were judged from the sums.
    std::size_t beyond = 0;
    for (const auto& parameter : outcome.document["parameters"]) {
        std::ifstream report(parameter["report"].get<std::string>(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(report)), std::istreambuf_iterator<char>());
        if (text.find("Pairs with more than 9000005 differences") == std::string::npos) fail("a pair was listed");
        beyond += Treatments * (Treatments - 1) / 2;
    }

    std::printf("cpt study, %zu parameters x %d treatments x B = %d (%zu pairs beyond the listed capacity), %d thread(s):\n",
                std::size(Parameters), Treatments, BootstrapNumber, beyond, options.threads);
    std::printf("  wall %.2f s, CPU %.2f s (target <= 5 s), peak resident memory %.1f MB (target <= 300 MB)\n",
                wall.count(), cpu, static_cast<double>(cpt::bench::peakResidentKilobytes()) / 1024);
    return 0;
}
