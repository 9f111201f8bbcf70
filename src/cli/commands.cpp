#include "cli/commands.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <new>

#include "batch/batch_outcome.h"
#include "batch/study_batch.h"
#include "cli/figure_output.h"
#include "core/common/user_error.h"
#include "core/sorting/sort_count_analysis.h"
#include "study_files/study_table_files.h"

namespace cpt::cli {
namespace {

int printOutcome(const batch::BatchOutcome& outcome, bool json) {
    if (outcome.status != batch::ExitSuccess) return outcome.status;
    if (json) {
        // Text that is not UTF-8 (a Latin-1 name, a path with byte 0xFF) is
        // shown with U+FFFD here; the files keep their bytes.
        batch::writeDocument(std::cout, outcome);
    } else {
        for (const std::filesystem::path& path : outcome.written) std::cout << path.string() << '\n';
    }
    return outcome.status;
}

// A run of large treatments can take a minute: someone watching a terminal
// sees how far it is; a log or a pipe gets nothing.
batch::PairProgressHandler progressOnTerminal() {
    if (::isatty(STDERR_FILENO) == 0) return {};
    const auto start = std::chrono::steady_clock::now();
    return [start](int pair, int pairs) {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        std::fprintf(stderr, "cpt: pair %d of %d, %.1f s\n", pair, pairs, elapsed.count());
    };
}

}  // namespace

int runCartesian(batch::CartesianOptions options) {
    options.withFigures = !options.figuresFolder.empty();
    std::filesystem::path figuresFolder;
    if (options.withFigures) {
        // Found wanting after a long run, it would leave a report unnamed.
        figuresFolder = absolute(std::filesystem::path(options.figuresFolder));
        try {
            makeFiguresFolder(figuresFolder);
        } catch (const UserError& error) {
            std::cerr << error.what() << '\n';
            return batch::ExitFailure;
        }
    }
    batch::BatchOutcome outcome = batch::runCartesianBatch(options, std::cerr, {}, progressOnTerminal());
    if (outcome.status == batch::ExitSuccess && outcome.summary) {
        std::vector<std::filesystem::path> figures;
        try {
            figures = writeRunFigures(*outcome.summary, figuresFolder, options.figureFormat);
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

int runStudy(const batch::StudyBatchOptions& options, const StudyFigureOptions& figures) {
    batch::StudyProgressHandler progress;
    if (::isatty(STDERR_FILENO) != 0) {
        const auto start = std::chrono::steady_clock::now();
        progress = [start](const batch::StudyProgress& at) {
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            std::fprintf(stderr, "cpt: %s (parameter %d of %d), pair %d of %d, %.1f s\n", at.name.c_str(),
                         at.parameter, at.parameters, at.pair, at.pairs, elapsed.count());
        };
    }
    const batch::BatchOutcome outcome = batch::runStudyBatch(options, studyFilesWriter(figures), std::cerr, progress);
    return printOutcome(outcome, options.json);
}

int runSortCount(const batch::SortCountOptions& options) {
    batch::BatchOutcome outcome = batch::runSortCountBatch(options, std::cerr);
    try {
        return printOutcome(outcome, options.json);
    } catch (const std::bad_alloc&) {
        // Past the analysis itself: its document for the screen did not fit.
        batch::discardWrittenFiles(outcome);
        std::cerr << OutOfMemoryMessage << '\n' << batch::SortCountFilesRemovedMessage << '\n';
        return batch::ExitFailure;
    }
}

}  // namespace cpt::cli
