#include "batch/reported_run.h"

namespace cpt::batch {

nlohmann::json runSummaryDocument(const CartesianResult& result, const std::filesystem::path& report) {
    return {{"F", result.anova.f ? nlohmann::json(*result.anova.f) : nlohmann::json(nullptr)},
            {"dfBetween", result.anova.dfBetween},
            {"dfWithin", result.anova.dfWithin},
            {"sidakAlpha", result.sidakAlpha},
            {"report", report.string()}};
}

}  // namespace cpt::batch
