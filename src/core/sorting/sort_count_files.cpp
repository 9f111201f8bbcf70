#include "core/sorting/sort_count_files.h"

#include <string_view>

#include "core/common/file_name_part.h"
#include "core/state/analysis_state.h"
#include "core/common/number_format.h"
#include "core/common/pending_file.h"
#include "core/common/record_writer.h"
#include "core/sorting/data_file_reading.h"

namespace cpt {
namespace {

bool isGeneral(const AnalysisState& state) { return state.DataKind == GeneralKind; }

void writeSortedHeading(const AnalysisState& state, std::int32_t n, OutputFile& file) {
    Record record(file);
    if (isGeneral(state)) {
        record.text("Project: " + state.ProjectName).end();
        record.text("Sample size =").number(n).end();
        record.text("Sample mean = ").number(state.DataMean).end();
    } else {
        record.text("Project: " + state.ProjectName + " " + state.VersionText).end();
        record.text("Original mean =").number(state.PointEstimate[1]).end();
        record.text("Bootstrap sample size (n) = ").number(state.SampleSize[1]).end();
        record.text("Total effective bootstrap number (B) = ").number(n).end();
        record.text("Sample size or mean (A)= " + state.SampleSizeOrMean + ", (B)=" + textNumber(state.DataMean)).end();
        record.text("Variable: " + state.TreatmentName[1]).end();
    }
    record.text("Sorted serial no.").text("Original serial no.").text("Sorted data").end();
}

void writeCountsHeading(const AnalysisState& state, std::int32_t n, OutputFile& file) {
    Record record(file);
    if (isGeneral(state)) {
        record.text("Project: " + state.ProjectName).end();
        record.text("Sample size =").number(n).end();
        record.text("Sample mean = ").number(state.DataMean).end();
        record.text("Total classes =").number(state.ClassTotal).end();
    } else {
        record.text("Project: " + state.ProjectName + " " + state.VersionText).end();
        record.text("Sample size or Original mean (A) =" + state.SampleSizeOrMean + ", (B)=")
            .number(state.PointEstimate[1])
            .end();
        record.text("Next line is sample size").end();
        record.number(state.SampleSize[1]).end();
        record.text("Total effective bootstrap number (B) = ")
            .number(n)
            .text("Total classes =")
            .number(state.ClassTotal)
            .end();
    }
    record.text("Group serial no.").text("Value").text("Count").end();
}

}  // namespace

SortCountFileNames sortCountFileNames(const AnalysisState& state) {
    const std::string& prefix = state.OutputPrefix;
    const std::string percentile = prefix + "-1_0.025, 0.5 and 0.975 " + fileNamePart(state.LastTreatmentCode);
    if (state.DecimalLimit == -1) {
        return {prefix + "-2_Sorted.txt", percentile + ".txt", prefix + "-3_Sorted and counts.txt"};
    }
    const std::string d = blankLedNumber(state.DecimalLimit);
    return {prefix + "-2_Sorted-" + d + " decimals.txt", percentile + d + " decimals.txt",
            prefix + "-3_Sorted and counts-" + d + " decimals.txt"};
}

void writeSortedAndPercentileFiles(const AnalysisState& state, std::int32_t n, const SortCountFileNames& names) {
    PendingFile sortedFile;
    PendingFile percentileFile;
    sortedFile.open(names.sorted);
    OutputFile& sorted = sortedFile.file();
    writeSortedHeading(state, n, sorted);
    percentileFile.open(names.percentile);
    OutputFile& percentile = percentileFile.file();

    // A row gets a line only where the Double product is exactly that row.
    const double lower = n * 0.025;
    const double middle = n * 0.5;
    const double upper = n * 0.975;
    const std::string tableOf = " percentile life table of " + state.LastTreatmentCode + " is ";
    Record record(sorted);
    Record line(percentile);
    for (std::int32_t i = 1; i <= n; ++i) {
        record.number(i).number(state.SortedTags[i]).number(state.PairDiff[i]).end();
        const double row = i;
        std::string_view share;
        if (lower == row) {
            share = "0.025";
        } else if (middle == row) {
            share = "0.5";
        } else if (upper == row) {
            share = "0.975";
        }
        if (!share.empty()) {
            line.text("The " + std::string(share) + tableOf + textNumber(state.SortedTags[i])).end();
        }
    }
    // The two stand or fall together.
    sorted.close();
    percentile.close();
    sortedFile.commit();
    percentileFile.commit();
}

void writeCountsFile(const AnalysisState& state, std::int32_t n, const SortCountFileNames& names) {
    PendingFile countsFile;
    countsFile.open(names.counts);
    OutputFile& counts = countsFile.file();
    writeCountsHeading(state, n, counts);
    Record record(counts);
    for (std::int32_t k = 1; k <= state.ClassTotal; ++k) {
        record.number(k).number(state.ClassValue[k]).number(state.ClassCount[k]).end();
    }
    countsFile.commit();
}

}  // namespace cpt
