#include <algorithm>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "batch/batch_outcome.h"
#include "batch/input_files.h"
#include "batch/reported_run.h"
#include "batch/run_setup.h"
#include "core/analysis/cartesian_engine.h"
#include "core/analysis/parallel_jobs.h"
#include "core/common/field_reader.h"
#include "core/common/output_file.h"
#include "core/common/user_error.h"
#include "core/figures/run_summary.h"
#include "core/report/reported_test.h"
#include "core/report/report_file.h"
#include "core/report/significance_overview.h"
#include "core/report/standalone_report.h"

namespace cpt::batch {
namespace {

// The maintainer's record of the procedures a run went through.
constexpr const char* FlowFileName = "_0_Flow.txt";

class FlowRecord {
public:
    void open(const std::filesystem::path& path) { file_.open(path); }
    void trace(std::string_view procedure) {
        if (!file_.isOpen()) return;
        file_.write("Sub ");
        file_.writeLine(procedure);
        file_.flushToSystem();
    }
    bool isOpen() const { return file_.isOpen(); }
    void close() { file_.close(); }

private:
    OutputFile file_;
};

// As wrong as a command line with too few or too many files.
class WrongTreatmentCount : public UserError {
public:
    using UserError::UserError;
};

// Every file's treatments one after another, in the order given: a table
// may give several, or the whole run.
std::vector<Treatment> readTreatments(const CartesianOptions& options, Transformation transformation) {
    ReadOptions read = options.read;
    read.transformation = transformation;
    std::vector<Treatment> treatments;
    for (const std::string& file : options.files) {
        std::vector<Treatment> fromFile = readInputFile(file, read, options.reader);
        for (Treatment& treatment : fromFile) treatments.push_back(std::move(treatment));
    }
    std::vector<std::string> names;
    for (const Treatment& treatment : treatments) names.push_back(treatment.name);
    requireNamedTreatments(names, read);
    if (treatments.size() < 2 || treatments.size() > static_cast<std::size_t>(TreatmentCapacity)) {
        throw WrongTreatmentCount(treatmentCountComplaint(treatments.size()));
    }
    return treatments;
}

// The status line of the window, as a long run changes it.
class StatusText {
public:
    explicit StatusText(const ProgressHandler& progress) : progress_(progress) {}
    void runBegun() { show(Running); }
    void pair(const PairProgress& pair) {
        const std::string comparing = std::string(Running) + "\n(Comparing " + std::to_string(pair.first + 1) +
                                      " with " + std::to_string(pair.second + 1) + ")";
        if (pair.stage == PairProgress::Stage::Begun) show(comparing);
        if (pair.stage == PairProgress::Stage::Sorting) show(comparing + "\n(Sorting...)");
    }

private:
    static constexpr const char* Running = "I am running Cartesian paired test.\nPlease wait!\nDon't touch me!";
    void show(const std::string& text) {
        if (progress_) progress_(text);
    }
    const ProgressHandler& progress_;
};

nlohmann::json resultDocument(const CartesianResult& result, const std::filesystem::path& report,
                              const std::vector<std::filesystem::path>& written) {
    // No letters when the groups outnumber them.
    const std::vector<std::string>& labels = result.letters.labels;
    nlohmann::json treatments = nlohmann::json::array();
    for (std::size_t t = 0; t < result.treatments.size(); ++t) {
        const TreatmentStatistics& s = result.treatments[t];
        treatments.push_back({{"number", t + 1},
                              {"name", s.name},
                              {"code", s.code},
                              {"file", s.source},
                              {"B", s.bootstrapNumber},
                              {"sampleSize", s.sampleSize},
                              {"pointEstimate", s.estimate},
                              {"mean", s.mean},
                              {"SE", s.sd},
                              {"letters", labels.empty() ? nlohmann::json(nullptr) : nlohmann::json(labels[t].substr(1))}});
    }
    nlohmann::json pairs = nlohmann::json::array();
    for (const PairOutcome& pair : result.pairs) {
        const PairResult& r = pair.result;
        pairs.push_back({{"first", pair.first + 1},
                         {"second", pair.second + 1},
                         {"differenceMean", r.mean},
                         {"differenceSD", r.sd},
                         {"tLower", r.tLower},
                         {"tUpper", r.tUpper},
                         {"percentileLower", r.percentileLower},
                         {"percentileUpper", r.percentileUpper},
                         {"significantCount", r.significant},
                         {"notSignificantCount", r.insignificant},
                         {"pValue", r.pValue}});
    }
    nlohmann::json files = nlohmann::json::array();
    for (const auto& path : written) files.push_back(path.string());
    nlohmann::json document = runSummaryDocument(result, report);
    document["treatments"] = treatments;
    document["pairs"] = pairs;
    document["files"] = files;
    return document;
}

struct Written {
    std::filesystem::path report;
    CartesianResult result;
    std::vector<Treatment> treatments;
    std::vector<std::filesystem::path> differenceFiles;
};

Written runAndReport(const CartesianOptions& options, const std::filesystem::path& folder, Clock& clock,
                     FlowRecord& flow, std::ostream& messages, const ProgressHandler& progress,
                     const PairProgressHandler& pairProgress) {
    Written written;
    written.treatments = readTreatments(options, options.transformation);
    StatusText status(progress);
    CartesianRequest request;
    request.reversed = options.reversed;
    request.transformation = options.transformation;
    request.threads = options.threads;
    request.folder = folder;
    request.code = options.code;
    request.differenceFiles = options.differences;
    request.reportAdvice = options.wording.anotherCode;
    request.unlistedAdvice = options.wording.withoutDifferences;
    RunPorts ports;
    ports.clock = &clock;
    ports.trace = [&](std::string_view procedure) { flow.trace(procedure); };
    ports.begun = [&](const RunBegin&) { status.runBegun(); };
    ports.progress = [&](const PairProgress& pair) {
        status.pair(pair);
        if (pair.stage == PairProgress::Stage::Begun && pairProgress) pairProgress(pair.pairNumber, pair.pairCount);
        if (pair.stage == PairProgress::Stage::Sorting) flow.trace("QuickSort");
    };
    try {
        // Without figures the treatments are not needed after the test,
        // which may then sort their values where they are.
        ReportedRun run = options.withFigures ? runReportedTest(written.treatments, request, ports)
                                              : runReportedTest(std::move(written.treatments), request, ports);
        written.result = std::move(run.result);
        written.report = std::move(run.report);
        written.differenceFiles = std::move(run.differenceFiles);
    } catch (const UnlistedDifferencesRefused& refused) {
        // Files of pairs too large to list are never written in a batch run.
        messages << refused.what() << '\n';
        throw Cancelled();
    } catch (const ReportNotCreated& error) {
        messages << error.what() << '\n';
        throw Cancelled();
    }
    return written;
}

}  // namespace

BatchOutcome runCartesianBatch(const CartesianOptions& options, std::ostream& messages,
                               const ProgressHandler& progress, PairProgressHandler pairProgress) {
    BatchOutcome outcome;
    std::unique_ptr<Clock> clock = makeClock(options.fixedTime);
    const std::filesystem::path folder =
        options.folder.empty() ? std::filesystem::current_path() : std::filesystem::path(absolute(options.folder));
    outcome.status = ExitFailure;
    FlowRecord flow;
    Written written;
    try {
        if (options.flowRecord) flow.open(folder / FlowFileName);
        written = runAndReport(options, folder, *clock, flow, messages, progress, pairProgress);
    } catch (const Cancelled&) {
        return outcome;
    } catch (const WrongTreatmentCount& error) {
        messages << error.what() << '\n';
        outcome.status = ExitUsage;
        return outcome;
    } catch (const UserError& error) {
        messages << error.what() << '\n';
        return outcome;
    } catch (const std::bad_alloc&) {
        messages << "The Cartesian paired test stopped: there is not enough memory for these treatments.\n";
        return outcome;
    } catch (const std::exception& error) {
        messages << "The Cartesian paired test stopped: " << error.what() << '\n';
        return outcome;
    }
    if (flow.isOpen()) {
        try {
            flow.close();
        } catch (const UserError& error) {
            // Like any output file: the user must know the record is not whole.
            messages << error.what() << '\n';
            return outcome;
        }
    }

    outcome.status = ExitSuccess;
    outcome.written.push_back(written.report);
    outcome.written.insert(outcome.written.end(), written.differenceFiles.begin(), written.differenceFiles.end());
    if (options.flowRecord) outcome.written.push_back(folder / FlowFileName);
    outcome.document = resultDocument(written.result, written.report, outcome.written);
    outcome.grid = overviewGrid(written.result);
    // Sorting every sample again costs time that only the figures need.
    if (options.withFigures) outcome.summary = figures::summarizeRun(written.result, written.treatments);
    return outcome;
}

}  // namespace cpt::batch
