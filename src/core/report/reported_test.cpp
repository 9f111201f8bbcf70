#include "core/report/reported_test.h"

#include <cstdlib>
#include <exception>
#include <memory>
#include <stdexcept>
#include <utility>

#include "core/analysis/parallel_jobs.h"
#include "core/common/clock.h"
#include "core/common/pending_file.h"
#include "core/report/difference_files.h"
#include "core/report/difference_listing.h"
#include "core/report/report_file.h"
#include "core/report/report_file_name.h"
#include "core/report/report_timing.h"

namespace cpt {
namespace {

void reached(const RunPorts& ports, std::string_view procedure) {
    if (ports.trace) ports.trace(procedure);
}

Clock& clockOf(const RunPorts& ports) {
    if (!ports.clock) throw std::invalid_argument("runReportedTest: no clock given");
    return *ports.clock;
}

// Difference files of a pair too large to list are refused before anything
// is written; the run goes on without them only when the front end says so.
void confirmUnlisted(std::span<const Treatment> treatments, const CartesianRequest& request, const RunPorts& ports) {
    if (!request.differenceFiles) return;
    const std::string question = unlistedDifferencesQuestion(
        bootstrapNumbersInMeanOrder(treatments, request.reversed), request.differenceListCapacity);
    if (question.empty()) return;
    if (ports.goOnWithoutUnlisted) {
        if (ports.goOnWithoutUnlisted(question)) return;
        throw Cancelled();
    }
    throw UnlistedDifferencesRefused(question.substr(0, question.rfind('\n')) + "\n" + request.unlistedAdvice);
}

template <typename Test>
ReportedRun runAndReport(std::span<const Treatment> treatments, const CartesianRequest& request,
                         const RunPorts& ports, const Test& test) {
    Clock& clock = clockOf(ports);
    confirmUnlisted(treatments, request, ports);
    reached(ports, "CartesianDifference2");
    ReportedRun run;
    run.begin = beginRun(clock);
    if (ports.begun) ports.begun(run.begin);
    DifferenceFileSet files(request.folder, request.outputPrefix);
    try {
        run.result = test(cartesianSettings(request, ports, request.differenceFiles ? &files : nullptr));
        run.report = writeRunReport(run.result, request, ports, run.begin);
    } catch (...) {
        // Difference files are part of a run's result: without its report,
        // none of them stays. (A pair's own half-written files have removed
        // themselves.)
        if (!files.begun()) throw;
        files.discardAll();
        try {
            throw;
        } catch (const Cancelled&) {
            // An interrupt stays one (R raises it as such); a question the
            // user declined is told as the end of the run.
            if (ports.cancel && ports.cancel->load()) throw;
            throw UserError(differenceFilesRemoved(std::current_exception()));
        } catch (const ReportNotCreated& error) {
            throw UserError(std::string(error.what()) + "\n" +
                            differenceFilesRemoved(std::make_exception_ptr(Cancelled())));
        } catch (...) {
            throw UserError(differenceFilesRemoved(std::current_exception()));
        }
    }
    run.differenceFiles = files.written();
    run.differenceFileNumber = files.number();
    return run;
}

}  // namespace

std::vector<double> bootstrapNumbersInMeanOrder(std::span<const Treatment> treatments, bool reversed) {
    std::vector<double> means;
    for (const Treatment& treatment : treatments) means.push_back(orderingMeanOf(treatment));
    std::vector<double> numbers;
    for (const int entry : meanOrder(means, reversed)) {
        numbers.push_back(static_cast<double>(treatments[static_cast<std::size_t>(entry)].values.size()));
    }
    return numbers;
}

CartesianSettings cartesianSettings(const CartesianRequest& request, const RunPorts& ports,
                                    DifferenceSink* differences) {
    CartesianSettings settings;
    settings.reversed = request.reversed;
    settings.transformation = request.transformation;
    settings.differences = differences;
    settings.differenceListCapacity = request.differenceListCapacity;
    settings.progress = ports.progress;
    settings.cancel = ports.cancel;
    settings.threads = request.threads > 0 ? request.threads : availableThreads();
    settings.whileWaiting = ports.whileWaiting;
    return settings;
}

std::filesystem::path writeRunReport(const CartesianResult& result, const CartesianRequest& request,
                                     const RunPorts& ports, const RunBegin& begin) {
    Clock& clock = clockOf(ports);
    reached(ports, "PrintMultiCIofDifference");
    PendingFile report;
    std::filesystem::path path;
    if (ports.openReport) {
        path = ports.openReport(report, result);
    } else {
        const std::string name =
            reportFileName(request.outputPrefix, result.parameterCode, request.code, clock);
        try {
            path = request.folder / createReportFile(report, request.folder, name);
        } catch (const UserError& error) {
            throw ReportNotCreated(error.what() + request.reportAdvice);
        }
    }
    ReportEnd end;
    end.lastTableNumber = writeReportBody(report.file(), result, request.heading);
    reached(ports, "PrintPairTestTable");
    end.stamp = "Cartesian paired test ended at:" + formatDateTime(clock.now());
    if (ports.reported) {
        ports.reported(result, end);
    } else {
        reached(ports, "ShowMultiCIofDifference");
    }
    const std::string& endStamp = end.stamp;
    const std::int64_t seconds = std::llabs(secondsSinceEpoch(clock.now()) - secondsSinceEpoch(begin.moment));
    writeReportStamps(report.file(), {begin.stamp, endStamp, totalTimeText(seconds)});
    report.commit();
    return path;
}

ReportedFiles reportKeptRun(const CartesianResult* kept, const std::function<std::vector<Treatment>()>& treatments,
                            const CartesianRequest& request, const KeptRunMoments& moments, const RunPorts& ports) {
    RunPorts stamped = ports;
    std::unique_ptr<Clock> clock;
    if (moments.fixed) {
        clock = std::make_unique<FixedClock>(*moments.fixed);
    } else if (request.differenceFiles) {
        clock = std::make_unique<SystemClock>();
    }
    if (request.differenceFiles) {
        stamped.clock = clock.get();
        ReportedRun run = runReportedTest(treatments(), request, stamped);
        return {std::move(run.report), std::move(run.differenceFiles)};
    }
    RunBegin begin;
    if (moments.fixed) {
        begin = beginRun(*clock);
    } else {
        // The stamps of the run that made the result, not of this call.
        FixedClock began(moments.began);
        begin = beginRun(began);
        clock = std::make_unique<FixedClock>(moments.ended);
    }
    stamped.clock = clock.get();
    if (kept) return {writeRunReport(*kept, request, stamped, begin), {}};
    const CartesianResult again = runCartesianTest(treatments(), cartesianSettings(request, ports));
    return {writeRunReport(again, request, stamped, begin), {}};
}

ReportedRun runReportedTest(std::span<const Treatment> treatments, const CartesianRequest& request,
                            const RunPorts& ports) {
    return runAndReport(treatments, request, ports,
                        [&](const CartesianSettings& settings) { return runCartesianTest(treatments, settings); });
}

ReportedRun runReportedTest(std::vector<Treatment>&& treatments, const CartesianRequest& request,
                            const RunPorts& ports) {
    return runAndReport(treatments, request, ports, [&](const CartesianSettings& settings) {
        return runCartesianTest(std::move(treatments), settings);
    });
}

}  // namespace cpt
