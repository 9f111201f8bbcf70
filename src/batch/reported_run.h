#pragma once
// The part of a Cartesian batch run that cpt cartesian and cpt study share:
// the test on the treatments read, then its report in the folder.
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "batch/batch_options.h"
#include "core/analysis/cartesian_test.h"
#include "core/report/standalone_report.h"

namespace cpt::batch {

struct ReportedRun {
    CartesianResult result;
    std::filesystem::path report;
};

// Where the report goes and the code its name carries.
struct ReportPlace {
    std::filesystem::path folder;
    std::string code;
};

// Told each procedure the run reaches, for the maintainer's flow record.
using ProcedureTrace = std::function<void(std::string_view procedure)>;

// Runs the test and writes its report, stamped from the clock and begin.
// The test's failures go through; a report that cannot be created is told
// on messages with the wording's advice, then Cancelled is thrown.
ReportedRun runWithReport(std::span<const Treatment> treatments, const CartesianSettings& settings,
                          const ReportPlace& place, Clock& clock, const RunBegin& begin, const AnswerWording& wording,
                          std::ostream& messages, const ProcedureTrace& trace = {});
// The same for treatments the caller gives up, which saves the test a copy.
ReportedRun runWithReport(std::vector<Treatment>&& treatments, const CartesianSettings& settings,
                          const ReportPlace& place, Clock& clock, const RunBegin& begin, const AnswerWording& wording,
                          std::ostream& messages, const ProcedureTrace& trace = {});

// Writes the report of a run already made, as runWithReport does.
std::filesystem::path writeReport(const CartesianResult& result, const ReportPlace& place, Clock& clock,
                                  const RunBegin& begin, const AnswerWording& wording, std::ostream& messages);

// The run's summary as the JSON documents give it: F (null when undefined),
// dfBetween, dfWithin, sidakAlpha and the report's path.
nlohmann::json runSummaryDocument(const CartesianResult& result, const std::filesystem::path& report);

}  // namespace cpt::batch
