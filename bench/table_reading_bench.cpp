// Four treatments of 1,000,000 values each, read from one wide table (.csv,
// and an .xlsx sheet of 4 x 1,000,000 cells) and from four described files
// holding the same value texts. Goal: the .csv within 1.5 times the four
// described files' time.
//
//   build-dir/bench/table_reading_bench
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/support/bench_run.h"
#include "core/common/decimal_parse.h"
#include "core/common/field_reader.h"
#include "core/common/number_format.h"
#include "core/input/described_treatment.h"
#include "xlsx/read_treatments.h"

namespace {

constexpr std::int32_t ValueCount = 1'000'000;
constexpr int TreatmentCount = 4;
const std::array<std::string, TreatmentCount> Names = {"Maize", "Sorghum", "Wheat", "Millet"};

struct Files {
    std::vector<std::filesystem::path> described;
    std::filesystem::path table;
    std::filesystem::path workbook;
};

const Files& files() {
    static const cpt::bench::TempFolder folder("cpt-table-reading-bench", "files");
    static const Files made = [] {
        std::mt19937_64 random(24);
        std::normal_distribution<double> rate(0.21, 0.013);
        std::vector<std::vector<double>> values(TreatmentCount, std::vector<double>(ValueCount));
        for (auto& column : values) {
            for (double& x : column) x = cpt::parseDecimal(cpt::recordNumber(rate(random)));
        }
        Files f;
        for (int t = 0; t < TreatmentCount; ++t) {
            f.described.push_back(folder.path / (Names[t] + ".txt"));
            std::ofstream out(f.described.back(), std::ios::binary);
            out << "\"" << Names[t] << "\",\"n\",30,\"B\"," << ValueCount << ",\"r\",30,.21\r\n";
            for (const double x : values[t]) out << cpt::recordNumber(x) << "\r\n";
        }
        f.table = folder.path / "r.csv";
        std::ofstream out(f.table, std::ios::binary);
        out << "Maize,Sorghum,Wheat,Millet\r\n";
        for (std::int32_t i = 0; i < ValueCount; ++i) {
            for (int t = 0; t < TreatmentCount; ++t) out << (t ? "," : "") << cpt::recordNumber(values[t][i]);
            out << "\r\n";
        }
        f.workbook = folder.path / "r.xlsx";
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        lxw_workbook* book = workbook_new_opt(f.workbook.c_str(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
        for (int t = 0; t < TreatmentCount; ++t) worksheet_write_string(sheet, 0, t, Names[t].c_str(), nullptr);
        for (std::int32_t i = 0; i < ValueCount; ++i) {
            for (int t = 0; t < TreatmentCount; ++t) {
                worksheet_write_number(sheet, static_cast<lxw_row_t>(i + 1), t, values[t][i], nullptr);
            }
        }
        if (workbook_close(book) != LXW_NO_ERROR) cpt::bench::failBench("table_reading_bench", "no workbook");
        return f;
    }();
    return made;
}

cpt::ReadOptions tableOptions() {
    cpt::ReadOptions options;
    options.sampleSize = 30;
    for (const std::string& name : Names) options.estimates[name] = 0.21;
    return options;
}

void check(const std::vector<cpt::Treatment>& treatments) {
    if (treatments.size() != TreatmentCount || treatments.back().values.size() != ValueCount) {
        cpt::bench::failBench("table_reading_bench", "wrong treatments");
    }
}

void FourDescribedFiles(benchmark::State& run) {
    const Files& f = files();
    for (auto _ : run) {
        std::vector<cpt::Treatment> treatments;
        for (const auto& path : f.described) {
            cpt::FieldReader reader = cpt::FieldReader::fromFile(path);
            treatments.push_back(cpt::readDescribedTreatment(reader, cpt::Transformation::None));
        }
        check(treatments);
    }
    run.counters["values"] = TreatmentCount * ValueCount;
}

void WideCsvTable(benchmark::State& run) {
    const Files& f = files();
    const cpt::ReadOptions options = tableOptions();
    for (auto _ : run) check(cpt::readTreatments(f.table, options));
    run.counters["values"] = TreatmentCount * ValueCount;
}

void WideXlsxSheet(benchmark::State& run) {
    const Files& f = files();
    const cpt::ReadOptions options = tableOptions();
    for (auto _ : run) check(cpt::readTreatments(f.workbook, options));
    run.counters["values"] = TreatmentCount * ValueCount;
    run.counters["peak_MB"] = static_cast<double>(cpt::bench::peakResidentKilobytes()) / 1024;
}

}  // namespace

BENCHMARK(FourDescribedFiles)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(WideCsvTable)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(WideXlsxSheet)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
