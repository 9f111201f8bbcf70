#include "cli/commands.h"

#include <iostream>

#include "batch/batch_outcome.h"
#include "cli/figure_output.h"
#include "core/common/user_error.h"

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
    batch::BatchOutcome outcome = batch::runCartesianBatch(options, std::cerr);
    if (outcome.status == batch::ExitSuccess && outcome.summary) {
        std::vector<std::filesystem::path> figures;
        try {
            figures = writeRunFigures(*outcome.summary, absolute(std::filesystem::path(options.figuresFolder)),
                                      options.figureFormat);
        } catch (const UserError& error) {
            std::cerr << error.what() << '\n';
            return batch::ExitFailure;
        }
        nlohmann::json paths = nlohmann::json::array();
        for (const auto& path : figures) paths.push_back(path.string());
        outcome.document["figures"] = paths;
        outcome.written.insert(outcome.written.end(), figures.begin(), figures.end());
    }
    return printOutcome(outcome, options.json);
}

int runSortCount(const batch::SortCountOptions& options) {
    return printOutcome(batch::runSortCountBatch(options, std::cerr), options.json);
}

}  // namespace cpt::cli
