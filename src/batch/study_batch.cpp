#include "batch/study_batch.h"

#include <algorithm>
#include <new>
#include <ostream>
#include <sstream>

#include "batch/input_files.h"
#include "batch/run_setup.h"
#include "core/analysis/parallel_jobs.h"
#include "core/common/field_reader.h"
#include "core/common/user_error.h"
#include "core/report/report_file.h"
#include "core/report/reported_test.h"

namespace cpt::batch {
namespace {

constexpr const char* ReportsRemovedMessage = "The reports of this study have been removed.";

nlohmann::json orNull(const std::string& text) { return text.empty() ? nlohmann::json(nullptr) : nlohmann::json(text); }

nlohmann::json studyDocument(const StudyTable& table, const StudyRuns& runs,
                             const std::vector<std::filesystem::path>& written) {
    nlohmann::json rows = nlohmann::json::array();
    for (const StudyTidyRow& row : table.tidyRows) {
        rows.push_back({{"parameter", row.parameter},
                        {"treatment", row.treatment},
                        {"n", row.cell.sampleSize},
                        {"B", row.cell.bootstrapNumber},
                        {"estimate", row.cell.estimate},
                        {"SE", row.cell.standardError},
                        {"letters", orNull(row.cell.letters)},
                        {"cell", row.cell.text}});
    }
    nlohmann::json parameters = nlohmann::json::array();
    for (std::size_t p = 0; p < runs.runs.size(); ++p) {
        nlohmann::json summary = runSummaryDocument(runs.runs[p].result, runs.reports[p]);
        summary["parameter"] = runs.runs[p].parameter;
        parameters.push_back(std::move(summary));
    }
    nlohmann::json files = nlohmann::json::array();
    for (const auto& path : written) files.push_back(path.string());
    return {{"treatments", table.treatments},
            {"rows", rows},
            {"parameters", parameters},
            {"note", table.note},
            {"files", files}};
}

}  // namespace

std::vector<StudyParameterGroup> readStudyGroups(std::span<const std::string> files,
                                                 const TreatmentReader& reader) {
    std::vector<Treatment> treatments;
    for (const std::string& file : files) {
        ReadOptions options;
        options.everyParameter = true;
        std::vector<Treatment> read = readInputFile(file, options, reader);
        for (Treatment& treatment : read) treatments.push_back(std::move(treatment));
    }
    return groupByParameter(std::move(treatments));
}

void removeReports(const StudyRuns& runs) noexcept {
    for (const std::filesystem::path& report : runs.reports) {
        std::error_code ignored;
        std::filesystem::remove(report, ignored);
    }
}

namespace {

CartesianRequest requestOf(const StudyRunAnswers& answers, int threads, const AnswerWording& wording) {
    CartesianRequest request;
    request.reversed = answers.reversed;
    request.threads = threads;
    request.folder = answers.folder;
    request.code = answers.code;
    request.reportAdvice = wording.anotherCode;
    return request;
}

// A report that cannot be created ends the study, with the front end's advice.
template <typename Step>
auto reporting(std::ostream& messages, const Step& step) {
    try {
        return step();
    } catch (const ReportNotCreated& error) {
        messages << error.what() << '\n';
        throw Cancelled();
    }
}

// One parameter after another, each on every thread given.
void runGroupsInTurn(std::span<const StudyParameterGroup> groups, const StudyRunAnswers& answers, int threads,
                     const AnswerWording& wording, std::ostream& messages, StudyRuns& runs,
                     const StudyProgressHandler& progress) {
    const CartesianRequest request = requestOf(answers, threads, wording);
    for (std::size_t p = 0; p < groups.size(); ++p) {
        const StudyParameterGroup& group = groups[p];
        std::unique_ptr<Clock> clock = makeClock(answers.fixedTime);
        RunPorts ports;
        ports.clock = clock.get();
        ports.cancel = answers.cancel;
        ports.whileWaiting = answers.whileWaiting;
        ports.progress = [&](const PairProgress& pair) {
            if (pair.stage != PairProgress::Stage::Begun || !progress) return;
            progress({static_cast<int>(p + 1), static_cast<int>(groups.size()), group.parameter, pair.pairNumber,
                      pair.pairCount});
        };
        ReportedRun run = reporting(messages, [&] { return runReportedTest(group.treatments, request, ports); });
        runs.reports.push_back(run.report);
        runs.runs.push_back({group.parameter, std::move(run.result), ""});
    }
}

// Several parameters at once, each on one thread; the reports are written
// afterwards in the parameters' order, so that their names (the " (2)"
// rule) never depend on which run ended first.
void runGroupsTogether(std::span<const StudyParameterGroup> groups, const StudyRunAnswers& answers, int threads,
                       const AnswerWording& wording, std::ostream& messages, StudyRuns& runs,
                       const StudyProgressHandler& progress) {
    struct Pending {
        std::unique_ptr<Clock> clock;
        RunBegin begin;
        CartesianResult result;
    };
    const CartesianRequest request = requestOf(answers, 1, wording);
    std::vector<Pending> pending;
    pending.reserve(groups.size());
    for (std::size_t p = 0; p < groups.size(); ++p) {
        Pending started{makeClock(answers.fixedTime), {}, {}};
        started.begin = beginRun(*started.clock);
        pending.push_back(std::move(started));
    }
    JobRun jobs;
    jobs.jobCount = static_cast<int>(groups.size());
    jobs.workers = threads;
    jobs.cancel = answers.cancel;
    jobs.whileWaiting = answers.whileWaiting;
    jobs.job = [&](int p, int, JobEvents& events) {
        // whileWaiting is the calling thread's, not this worker's.
        RunPorts ports;
        ports.cancel = answers.cancel;
        // A parameter's pair events are told on the calling thread.
        ports.progress = [&events, &groups, &progress, p](const PairProgress& pair) {
            if (pair.stage != PairProgress::Stage::Begun || !progress) return;
            events.post([&groups, &progress, p, pair] {
                progress({p + 1, static_cast<int>(groups.size()), groups[static_cast<std::size_t>(p)].parameter,
                          pair.pairNumber, pair.pairCount});
            });
        };
        pending[static_cast<std::size_t>(p)].result =
            runCartesianTest(groups[static_cast<std::size_t>(p)].treatments, cartesianSettings(request, ports));
    };
    runJobs(jobs);
    for (std::size_t p = 0; p < groups.size(); ++p) {
        RunPorts ports;
        ports.clock = pending[p].clock.get();
        const std::filesystem::path report = reporting(
            messages, [&] { return writeRunReport(pending[p].result, request, ports, pending[p].begin); });
        runs.reports.push_back(report);
        runs.runs.push_back({groups[p].parameter, std::move(pending[p].result), ""});
    }
}

}  // namespace

void runStudyGroups(std::span<const StudyParameterGroup> groups, const StudyRunAnswers& answers,
                    const AnswerWording& wording, std::ostream& messages, StudyRuns& runs,
                    const StudyProgressHandler& progress) {
    const int threads = answers.threads > 0 ? answers.threads : availableThreads();
    try {
        // Pairs of one run share the cores well only when there are many of
        // them; parameters are whole runs, each with its reading of the
        // statistics and its report, and fill the cores at any size.
        if (threads >= 2 && groups.size() >= 2) {
            runGroupsTogether(groups, answers, std::min<int>(threads, static_cast<int>(groups.size())), wording,
                              messages, runs, progress);
        } else {
            runGroupsInTurn(groups, answers, threads, wording, messages, runs, progress);
        }
    } catch (...) {
        removeReports(runs);
        throw;
    }
}

BatchOutcome runStudyBatch(const StudyBatchOptions& options, const StudyTableWriter& writeTable,
                           std::ostream& messages, const StudyProgressHandler& progress) {
    BatchOutcome outcome;
    std::unique_ptr<Clock> tableClock = makeClock(options.fixedTime);
    outcome.status = ExitFailure;
    const std::filesystem::path folder =
        options.folder.empty() ? std::filesystem::current_path() : std::filesystem::path(absolute(options.folder));
    StudyRuns runs;
    try {
        StudyOptions tableOptions;
        tableOptions.treatmentOrder = options.order;
        tableOptions.rowOrder = options.rows;
        tableOptions.labels = options.labels;
        tableOptions.digits = options.digits;
        const std::vector<StudyParameterGroup> groups = readStudyGroups(options.files, options.reader);
        checkStudyOptions(groups, tableOptions);

        StudyRunAnswers answers;
        answers.folder = folder;
        answers.code = options.code;
        answers.fixedTime = options.fixedTime;
        answers.reversed = options.reversed;
        answers.threads = options.threads;
        runStudyGroups(groups, answers, options.wording, messages, runs, progress);
        try {
            const StudyTable table = buildStudyTable(runs.runs, tableOptions);
            const std::vector<std::filesystem::path> tables = writeTable(table, folder, options.formats, tableClock->now());
            outcome.written = runs.reports;
            outcome.written.insert(outcome.written.end(), tables.begin(), tables.end());
            outcome.document = studyDocument(table, runs, outcome.written);
        } catch (...) {
            removeReports(runs);
            outcome.written.clear();
            throw;
        }
    } catch (const Cancelled&) {
        if (!runs.reports.empty()) messages << ReportsRemovedMessage << '\n';
        return outcome;
    } catch (const UserError& error) {
        messages << error.what() << '\n';
        if (!runs.reports.empty()) messages << ReportsRemovedMessage << '\n';
        return outcome;
    } catch (const std::bad_alloc&) {
        messages << "The study stopped: there is not enough memory for its treatments.\n";
        if (!runs.reports.empty()) messages << ReportsRemovedMessage << '\n';
        return outcome;
    } catch (const std::exception& error) {
        messages << "The study stopped: " << error.what() << '\n';
        if (!runs.reports.empty()) messages << ReportsRemovedMessage << '\n';
        return outcome;
    }
    outcome.status = ExitSuccess;
    return outcome;
}

}  // namespace cpt::batch
