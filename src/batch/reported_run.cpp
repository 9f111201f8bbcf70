#include "batch/reported_run.h"

#include <ostream>

#include "core/common/user_error.h"
#include "core/report/report_file.h"

namespace cpt::batch {

ReportedRun runWithReport(std::span<const Treatment> treatments, const CartesianSettings& settings,
                          const ReportPlace& place, Clock& clock, const RunBegin& begin, const AnswerWording& wording,
                          std::ostream& messages, const ProcedureTrace& trace) {
    auto reached = [&](std::string_view procedure) {
        if (trace) trace(procedure);
    };
    ReportedRun run;
    run.result = runCartesianTest(treatments, settings);
    reached("PrintMultiCIofDifference");
    run.report = writeReport(run.result, place, clock, begin, wording, messages);
    reached("PrintPairTestTable");
    reached("ShowMultiCIofDifference");
    return run;
}

std::filesystem::path writeReport(const CartesianResult& result, const ReportPlace& place, Clock& clock,
                                  const RunBegin& begin, const AnswerWording& wording, std::ostream& messages) {
    try {
        return writeStandaloneReport(place.folder, result, place.code, clock, begin);
    } catch (const ReportNotCreated& error) {
        messages << error.what() << wording.anotherCode << '\n';
        throw Cancelled();
    }
}

nlohmann::json runSummaryDocument(const CartesianResult& result, const std::filesystem::path& report) {
    return {{"F", result.anova.f ? nlohmann::json(*result.anova.f) : nlohmann::json(nullptr)},
            {"dfBetween", result.anova.dfBetween},
            {"dfWithin", result.anova.dfWithin},
            {"sidakAlpha", result.sidakAlpha},
            {"report", report.string()}};
}

}  // namespace cpt::batch
