#pragma once
// What a batch run leaves for its front end to show: the exit status, the
// files written, the results as one JSON document, and what the main window
// would draw (the overview grid, the frequency chart).
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "batch/batch_options.h"
#include "core/common/control_model.h"
#include "core/figures/run_summary.h"

namespace cpt::batch {

struct BatchOutcome {
    int status = ExitSuccess;
    std::vector<std::filesystem::path> written;
    nlohmann::json document;  // null unless the run succeeded
    GridModel grid;           // Cartesian runs
    ChartModel chart;         // sort-and-count of general or bootstrap data
    // What the figures show; taken only when the options ask for figures.
    std::optional<figures::RunSummary> summary;
};

// Told the status line's text whenever a long run redraws it.
using ProgressHandler = std::function<void(const std::string& status)>;
// Told "pair k of n" as each pair of a run begins.
using PairProgressHandler = std::function<void(int pair, int pairs)>;

// Complaints go to messages; nothing is printed.
BatchOutcome runCartesianBatch(const CartesianOptions& options, std::ostream& messages,
                               const ProgressHandler& progress = {}, PairProgressHandler pairProgress = {});
BatchOutcome runSortCountBatch(const SortCountOptions& options, std::ostream& messages);

}  // namespace cpt::batch
