#include <atomic>
#include <filesystem>

#include "core/common/user_error.h"
#include "glue.h"
#include "xlsx/read_treatments.h"

namespace cptpy {

using namespace cpt::life;

LifeResult runLife(const LifeRequest& request, const Interrupted& interrupted) {
    LifeSettings settings;
    settings.bootstrap = request.bootstrap;
    settings.seed = request.seed;
    settings.cohort = request.cohort == "females" ? Cohort::Females : Cohort::All;
    settings.femaleOffspring = request.femaleOffspring;
    settings.zeroOffspring = request.zeroOffspring == "drop" ? ZeroOffspring::Drop : ZeroOffspring::Refuse;
    settings.threads = request.threads;
    settings.wording.bootstrap = "bootstrap";
    settings.wording.femaleOffspring = "female_offspring";
    settings.wording.cohortFemales = "cohort=\"females\"";
    settings.wording.drop = "zero_offspring=\"drop\"";
    if (const auto problem = settingsProblem(settings)) throw cpt::UserError(*problem);

    Records records;
    if (request.columns) addRecords(records, recordsOfColumns(*request.columns, "records"));
    for (const std::string& path : request.paths) addRecords(records, cpt::readRecords(std::filesystem::path(path)));

    std::atomic<bool> cancel{false};
    settings.cancel = &cancel;
    settings.progress = [&](std::int64_t, std::int64_t) {
        if (interrupted()) cancel = true;
    };
    return runLifeTables(records, settings);
}

std::vector<TreatmentPointer> lifeTreatments(const LifeResult& result, const std::string& code) {
    const auto parameter = parameterOfCode(code);
    if (!parameter) throw cpt::UserError("code \"" + code + "\" is none of r, lambda, R0, T, GRR.");
    std::vector<TreatmentPointer> treatments;
    for (cpt::Treatment& t : parameterTreatments(result, *parameter)) {
        treatments.push_back(std::make_shared<HeldTreatment>(HeldTreatment{std::move(t), std::string(), nullptr}));
    }
    return treatments;
}

}  // namespace cptpy
