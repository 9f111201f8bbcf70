#pragma once
// What a batch run leaves for its front end to show: the exit status, the
// files written, the results as one JSON document, and what the main window
// would draw (the overview grid, the frequency chart).
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "batch/batch_options.h"
#include "core/common/grid_and_chart.h"
#include "core/figures/run_summary.h"

namespace cpt::batch {

// One class of a sort-and-count's table, as the document lists it.
struct DocumentClass {
    double value;
    double count;  // a Double in the table, and so in the document
};

struct BatchOutcome {
    int status = ExitSuccess;
    std::vector<std::filesystem::path> written;
    nlohmann::json document;  // null unless the run succeeded
    // A sort-and-count's class table, the document's "classes": it may hold
    // millions of rows, which are written out one by one, never built as JSON.
    std::vector<DocumentClass> classes;
    GridModel grid;           // Cartesian runs
    ChartModel chart;         // sort-and-count of general or bootstrap data
    // What the figures show; taken only when the options ask for figures.
    std::optional<figures::RunSummary> summary;
};

// The document as cpt --json prints it: two-space indents, keys in order,
// bytes that are not UTF-8 replaced by U+FFFD; ends with a line end.
void writeDocument(std::ostream& out, const BatchOutcome& outcome);
std::string documentText(const BatchOutcome& outcome);

// When a run fails after its files were written (no memory left for its
// summary), they go: a run's files stand or fall with its answer.
void discardWrittenFiles(BatchOutcome& outcome) noexcept;
inline constexpr const char* SortCountFilesRemovedMessage = "The files of this sort-and-count have been removed.";

// Told the status line's text whenever a long run redraws it.
using ProgressHandler = std::function<void(const std::string& status)>;
// Told "pair k of n" as each pair of a run begins.
using PairProgressHandler = std::function<void(int pair, int pairs)>;

// Complaints go to messages; nothing is printed.
BatchOutcome runCartesianBatch(const CartesianOptions& options, std::ostream& messages,
                               const ProgressHandler& progress = {}, PairProgressHandler pairProgress = {});
BatchOutcome runSortCountBatch(const SortCountOptions& options, std::ostream& messages);

}  // namespace cpt::batch
