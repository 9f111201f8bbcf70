#include "cli/commands.h"

#include <iostream>

#include "batch/batch_outcome.h"

namespace cpt::cli {
namespace {

int printOutcome(const batch::BatchOutcome& outcome, bool json) {
    if (outcome.status != batch::ExitSuccess) return outcome.status;
    if (json) {
        std::cout << outcome.document.dump(2) << '\n';
    } else {
        for (const std::filesystem::path& path : outcome.written) std::cout << path.string() << '\n';
    }
    return outcome.status;
}

}  // namespace

int runCartesian(const batch::CartesianOptions& options) {
    return printOutcome(batch::runCartesianBatch(options, std::cerr), options.json);
}

int runSortCount(const batch::SortCountOptions& options) {
    return printOutcome(batch::runSortCountBatch(options, std::cerr), options.json);
}

}  // namespace cpt::cli
