#pragma once
// The one way from treatments to written files: the Cartesian test, its
// report and, when asked, its difference files, all or nothing. Every front
// end turns its own input into a CartesianRequest once and makes this call.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/cartesian_engine.h"
#include "core/common/date_time.h"
#include "core/common/user_error.h"
#include "core/report/report_writer.h"
#include "core/report/standalone_report.h"

namespace cpt {

class Clock;
class PendingFile;

// What a run is asked to do, as its front end understood its user.
struct CartesianRequest {
    bool reversed = false;
    Transformation transformation = Transformation::None;
    int threads = 0;  // 0: every core the system gives the process
    // Pairs with more differences are judged from sorted samples and exact sums.
    std::int64_t differenceListCapacity = ValueCapacity;
    // The report and the difference files go here.
    std::filesystem::path folder;
    std::string code = "1";
    bool differenceFiles = false;
    std::string outputPrefix = CartesianOutputPrefix;
    ReportHeading heading = standaloneReportHeading();
    // Put after the system's reason when the report's file cannot be
    // created: what the user may change, in the front end's own words.
    std::string reportAdvice;
    // The line after the sizes of difference files too large to write.
    std::string unlistedAdvice;
};

struct ReportEnd {
    std::string stamp;  // "Cartesian paired test ended at:..."
    int lastTableNumber = 0;
};

// What the run asks of its front end while it goes. Only the clock is needed.
struct RunPorts {
    Clock* clock = nullptr;
    std::function<void(const PairProgress&)> progress;
    const std::atomic<bool>* cancel = nullptr;
    // Called on the calling thread while workers compute (a window keeps answering).
    std::function<void()> whileWaiting;
    // The maintainer's flow record: told each procedure the run reaches.
    std::function<void(std::string_view procedure)> trace;
    // Pairs too large to list: whether to go on without their difference
    // files (asked with the question's text). None: such a run is refused.
    std::function<bool(const std::string& question)> goOnWithoutUnlisted;
    // Told when the run begins, before the first pair.
    std::function<void(const RunBegin& begin)> begun;
    // Creates the report's file and returns its path; none: under the
    // request's code in its folder, never over a file.
    std::function<std::filesystem::path(PendingFile& report, const CartesianResult& result)> openReport;
    // The report's body is written (the last table's number given) and its
    // end is about to be stamped.
    std::function<void(const CartesianResult& result, const ReportEnd& end)> reported;
};

struct ReportedRun {
    CartesianResult result;
    RunBegin begin;
    std::filesystem::path report;
    std::vector<std::filesystem::path> differenceFiles;
    // The difference files' " (n)", 1 for none.
    std::int32_t differenceFileNumber = 1;
};

// Difference files were asked of pairs too large to list, and the front end
// did not go on without them. what() is the question's text without its
// last line (the one that asks), then the request's unlistedAdvice.
class UnlistedDifferencesRefused : public UserError {
public:
    using UserError::UserError;
};

// The settings of the test itself, assembled here only.
CartesianSettings cartesianSettings(const CartesianRequest& request, const RunPorts& ports,
                                    DifferenceSink* differences = nullptr);

// Runs the test and writes its files. Throws what the test throws,
// ReportNotCreated (with the request's advice) when the report's file cannot
// be created, UnlistedDifferencesRefused; when difference files were begun,
// every failure removes them and becomes a UserError that says so. Nothing
// this call wrote stays after a throw.
ReportedRun runReportedTest(std::span<const Treatment> treatments, const CartesianRequest& request,
                            const RunPorts& ports);
// The same for treatments the caller gives up: the test may sort their values where they are.
ReportedRun runReportedTest(std::vector<Treatment>&& treatments, const CartesianRequest& request,
                            const RunPorts& ports);

// The report of a run made already, begun at begin and ending now.
std::filesystem::path writeRunReport(const CartesianResult& result, const CartesianRequest& request,
                                     const RunPorts& ports, const RunBegin& begin);

// Where the report of a result kept from an earlier run takes its stamps.
struct KeptRunMoments {
    std::optional<DateTime> fixed;  // the user's, when given
    DateTime began;                 // of the run that made the result
    DateTime ended;
};

struct ReportedFiles {
    std::filesystem::path report;
    std::vector<std::filesystem::path> differenceFiles;
};

// The report of a result kept from an earlier run (the packages for R and
// Python keep results), stamped at the fixed moment, else with that run's
// begin and end. Difference files are written while the test runs, so with
// them, or with no result kept, the test runs again on treatments() (with
// difference files stamped now, unless a moment is fixed). The ports' clock
// is not used. Throws as runReportedTest.
ReportedFiles reportKeptRun(const CartesianResult* kept, const std::function<std::vector<Treatment>()>& treatments,
                            const CartesianRequest& request, const KeptRunMoments& moments, const RunPorts& ports);

// B of each treatment in the order the run will number them.
std::vector<double> bootstrapNumbersInMeanOrder(std::span<const Treatment> treatments, bool reversed);

}  // namespace cpt
