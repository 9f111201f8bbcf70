#pragma once
// A study in one batch run: the treatment files grouped by parameter, one
// Cartesian run and report per parameter (each the report cpt cartesian
// writes for the same files and answers), then the study table's files. The
// reports and the table files stand or fall together.
#include <atomic>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "batch/batch_outcome.h"
#include "batch/reported_run.h"
#include "core/common/date_time.h"
#include "core/study/study_file_set.h"
#include "core/study/study_grouping.h"

namespace cpt::batch {

// Writes the table's files into the folder (one per format, never over a
// file) and returns their paths; the office formats are stamped `created`.
// Throws UserError, leaving none of them.
using StudyTableWriter = std::function<std::vector<std::filesystem::path>(
    const StudyTable& table, const std::filesystem::path& folder, std::span<const StudyFormat> formats,
    const DateTime& created)>;

// Where a study's runs are: parameter k of n, and the pair within its run.
struct StudyProgress {
    int parameter = 0;  // from 1
    int parameters = 0;
    std::string name;
    int pair = 0;  // pairs begun in this parameter's run, from 1
    int pairs = 0;
};
using StudyProgressHandler = std::function<void(const StudyProgress&)>;

// Every file read (readInputFile, through the reader) and grouped by parameter.
std::vector<StudyParameterGroup> readStudyGroups(std::span<const std::string> files,
                                                 const TreatmentReader& reader = {});

struct StudyRunAnswers {
    std::filesystem::path folder;
    std::string code = "1";
    std::optional<DateTime> fixedTime;  // none: the real clock
    bool reversed = false;
    int threads = 1;  // 0: every core the system gives the process
    const std::atomic<bool>* cancel = nullptr;
    // Called on the calling thread while the runs work, as the engine's.
    std::function<void()> whileWaiting;
};

struct StudyRuns {
    std::vector<StudyParameterRun> runs;
    std::vector<std::filesystem::path> reports;  // one per run
};

// One run and report per group, added to runs in the groups' order; with
// two threads or more the parameters run at once. Each run has a clock of
// its own, as cpt cartesian's (so a --code's random number is the same). On a failure the reports written are removed (their
// paths stay in runs.reports, for the message) and the exception goes on.
void runStudyGroups(std::span<const StudyParameterGroup> groups, const StudyRunAnswers& answers,
                    const AnswerWording& wording, std::ostream& messages, StudyRuns& runs,
                    const StudyProgressHandler& progress = {});

// The reports go again (a study's later step failed).
void removeReports(const StudyRuns& runs) noexcept;

// Complaints go to messages; nothing is printed. A failure leaves no file.
BatchOutcome runStudyBatch(const StudyBatchOptions& options, const StudyTableWriter& writeTable,
                           std::ostream& messages, const StudyProgressHandler& progress = {});

}  // namespace cpt::batch
