#include "core/sorting/sort_count_files.h"

#include <filesystem>
#include <string_view>

#include "core/common/file_name_part.h"
#include "core/common/number_format.h"
#include "core/common/pending_file.h"
#include "core/common/record_writer.h"
#include "core/common/user_error.h"
#include "core/common/edition.h"

namespace cpt {
namespace {

bool isGeneral(const SortCountSummary& summary) { return summary.kind == SortCountKind::General; }

void writeSortedHeading(const SortCountSummary& summary, const SortCountHeadingText& text, OutputFile& file) {
    const DataFileHeading& heading = summary.heading;
    Record record(file);
    if (isGeneral(summary)) {
        record.text("Project: " + text.projectName).end();
        record.text("Sample size =").number(summary.valueCount).end();
        record.text("Sample mean = ").number(summary.mean).end();
    } else {
        record.text("Project: " + text.projectName + " " + text.versionText).end();
        record.text("Original mean =").number(heading.pointEstimate).end();
        record.text("Bootstrap sample size (n) = ").number(heading.sampleSize).end();
        record.text("Total effective bootstrap number (B) = ").number(summary.valueCount).end();
        record.text("Sample size or mean (A)= " + heading.sampleSizeOrMean + ", (B)=" + textNumber(summary.mean)).end();
        record.text("Variable: " + heading.treatmentName).end();
    }
    record.text("Sorted serial no.").text("Original serial no.").text("Sorted data").end();
}

void writeCountsHeading(const SortCountSummary& summary, const SortCountHeadingText& text, std::size_t classTotal,
                        OutputFile& file) {
    const DataFileHeading& heading = summary.heading;
    const auto classes = static_cast<double>(classTotal);
    Record record(file);
    if (isGeneral(summary)) {
        record.text("Project: " + text.projectName).end();
        record.text("Sample size =").number(summary.valueCount).end();
        record.text("Sample mean = ").number(summary.mean).end();
        record.text("Total classes =").number(classes).end();
    } else {
        record.text("Project: " + text.projectName + " " + text.versionText).end();
        record.text("Sample size or Original mean (A) =" + heading.sampleSizeOrMean + ", (B)=")
            .number(heading.pointEstimate)
            .end();
        record.text("Next line is sample size").end();
        record.number(heading.sampleSize).end();
        record.text("Total effective bootstrap number (B) = ")
            .number(summary.valueCount)
            .text("Total classes =")
            .number(classes)
            .end();
    }
    record.text("Group serial no.").text("Value").text("Count").end();
}

template <typename Count>
void writeCountsFileOf(const SortCountSummary& summary, const SortCountHeadingText& text,
                       std::span<const double> classValues, std::span<const Count> classCounts,
                       const SortCountFileNames& names) {
    try {
        PendingFile countsFile;
        countsFile.open(names.counts);
        OutputFile& counts = countsFile.file();
        writeCountsHeading(summary, text, classValues.size(), counts);
        Record record(counts);
        for (std::size_t k = 0; k < classValues.size(); ++k) {
            record.number(static_cast<double>(k + 1)).number(classValues[k]).number(classCounts[k]).end();
        }
        countsFile.commit();
    } catch (const UserError& error) {
        std::error_code ignored;
        std::filesystem::remove(names.sorted, ignored);
        std::filesystem::remove(names.percentile, ignored);
        throw UserError(std::string(error.what()) +
                        "\nThe sorted file and the percentile file of this sort-and-count have been removed.");
    }
}

}  // namespace

std::string outputPrefixOf(const std::string& dataPath) {
    const std::size_t nameStart = dataPath.find_last_of('/') + 1;  // 0 without a folder
    const std::size_t dot = dataPath.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) return dataPath;
    return dataPath.substr(0, dot);
}

SortCountFileNames sortCountFileNames(const std::string& outputPrefix, const std::string& code, double decimalLimit) {
    const std::string& prefix = outputPrefix;
    const std::string percentile = prefix + "-1_0.025, 0.5 and 0.975 " + fileNamePart(code);
    if (decimalLimit == -1) {
        return {prefix + "-2_Sorted.txt", percentile + ".txt", prefix + "-3_Sorted and counts.txt"};
    }
    const std::string d = blankLedNumber(decimalLimit);
    return {prefix + "-2_Sorted-" + d + " decimals.txt", percentile + d + " decimals.txt",
            prefix + "-3_Sorted and counts-" + d + " decimals.txt"};
}

SortCountFileNames sortCountFileNames(const std::string& dataPath, const SortCountSummary& summary) {
    return sortCountFileNames(outputPrefixOf(dataPath), summary.heading.code, summary.decimalLimit);
}

SortCountHeadingText headingTextOf(const SortCountSummary& summary) {
    return {isGeneral(summary) ? summary.heading.projectName : std::string(),
            "Ver. " + std::string(edition::VersionDate)};
}

void writeSortedAndPercentileFiles(const SortCountSummary& summary, const SortCountHeadingText& text,
                                   std::span<const double> sortedValues, std::span<const std::int32_t> sortedRows,
                                   const SortCountFileNames& names) {
    PendingFile sortedFile;
    PendingFile percentileFile;
    sortedFile.open(names.sorted);
    OutputFile& sorted = sortedFile.file();
    writeSortedHeading(summary, text, sorted);
    percentileFile.open(names.percentile);
    OutputFile& percentile = percentileFile.file();

    // A row gets a line only where the Double product is exactly that row.
    const std::int32_t n = summary.valueCount;
    const double lower = n * 0.025;
    const double middle = n * 0.5;
    const double upper = n * 0.975;
    const std::string tableOf = " percentile life table of " + summary.heading.code + " is ";
    Record record(sorted);
    Record line(percentile);
    for (std::int32_t i = 1; i <= n; ++i) {
        const auto at = static_cast<std::size_t>(i - 1);
        record.number(i).number(sortedRows[at]).number(sortedValues[at]).end();
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
            line.text("The " + std::string(share) + tableOf + textNumber(sortedRows[at])).end();
        }
    }
    // The two stand or fall together.
    sorted.close();
    percentile.close();
    sortedFile.commit();
    percentileFile.commit();
}

void writeCountsFile(const SortCountSummary& summary, const SortCountHeadingText& text,
                     std::span<const double> classValues, std::span<const double> classCounts,
                     const SortCountFileNames& names) {
    writeCountsFileOf(summary, text, classValues, classCounts, names);
}

void writeCountsFile(const SortCountSummary& summary, const SortCountHeadingText& text,
                     const SortCountClasses& classes, const SortCountFileNames& names) {
    writeCountsFileOf(summary, text, std::span<const double>(classes.values),
                      std::span<const std::int32_t>(classes.counts), names);
}

void writeSortCountFiles(const SortCountResult& result, const SortCountHeadingText& text,
                         const SortCountFileNames& names) {
    writeSortedAndPercentileFiles(result, text, result.sorted.values, result.sorted.rows, names);
    writeCountsFile(result, text, result.classes, names);
}

}  // namespace cpt
