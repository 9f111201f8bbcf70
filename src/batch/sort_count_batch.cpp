#include <new>
#include <ostream>
#include <string>

#include "batch/batch_outcome.h"
#include "batch/run_setup.h"
#include "core/common/decimal_parse.h"
#include "core/common/user_error.h"
#include "core/sorting/class_chart.h"
#include "core/sorting/sort_count_analysis.h"
#include "core/sorting/sort_count_files.h"

namespace cpt::batch {
namespace {

nlohmann::json resultDocument(const SortCountResult& result, const std::vector<std::filesystem::path>& written) {
    nlohmann::json files = nlohmann::json::array();
    for (const auto& path : written) files.push_back(path.string());
    const bool general = result.kind == SortCountKind::General;
    return {{"kind", std::string(kindName(result.kind))},
            {"name", general ? result.heading.projectName : result.heading.treatmentName},
            {"code", result.heading.code},
            {"values", result.valueCount},
            {"mean", result.mean},
            {"decimals", result.decimalLimit},
            {"files", files}};
}

std::vector<DocumentClass> documentClasses(const SortCountClasses& table) {
    std::vector<DocumentClass> classes;
    classes.reserve(table.values.size());
    for (std::size_t k = 0; k < table.values.size(); ++k) {
        classes.push_back({table.values[k], static_cast<double>(table.counts[k])});
    }
    return classes;
}

}  // namespace

BatchOutcome runSortCountBatch(const SortCountOptions& options, std::ostream& messages) {
    BatchOutcome outcome;
    outcome.status = ExitFailure;
    const std::string dataPath = absolute(options.file);
    SortCountResult result;
    SortCountFileNames names;
    try {
        result = runSortCount(dataPath, {options.kind, options.serialNumbers, options.decimals});
        names = sortCountFileNames(dataPath, result);
        writeSortCountFiles(result, headingTextOf(result), names);
    } catch (const UserError& error) {
        messages << error.what() << '\n';
        return outcome;
    } catch (const std::bad_alloc&) {
        messages << OutOfMemoryMessage << '\n';
        return outcome;
    }
    // The values are in the files; the document and the chart need the classes only.
    result.sorted = SortedRows();

    outcome.written = {names.sorted, names.percentile, names.counts};
    try {
        if (options.json) {
            outcome.document = resultDocument(result, outcome.written);
            outcome.classes = documentClasses(result.classes);
        }
        if (result.kind != SortCountKind::PairedTestResults && result.classes.values.size() <= std::size_t{MaxChartClasses}) {
            outcome.chart = frequencyChartOf(result);
        }
    } catch (const std::bad_alloc&) {
        discardWrittenFiles(outcome);
        messages << OutOfMemoryMessage << '\n' << SortCountFilesRemovedMessage << '\n';
        return outcome;
    }
    outcome.status = ExitSuccess;
    return outcome;
}

}  // namespace cpt::batch
