// A records table of any form (long, wide, aggregate; any encoding) read
// into treatments, then their life tables and a short bootstrap. The first
// byte chooses the file's name (.csv, .tsv, .txt) and the cohort. What comes
// back must be whole: individuals of at least one day with finite eggs of
// at least 0, and estimates that are numbers where they exist.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/common/user_error.h"
#include "core/life/life_bootstrap.h"
#include "core/life/records.h"

namespace {

void checkEstimates(const cpt::life::Estimates& estimates) {
    for (cpt::life::LifeParameter parameter : cpt::life::AllLifeParameters) {
        const std::optional<double> value = estimates.of(parameter);
        if (value && std::isnan(*value)) std::abort();
    }
    if (estimates.R0 && *estimates.R0 > 0 && estimates.r && !std::isfinite(*estimates.r)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned choice = data[0];
    const char* names[] = {"Maize.csv", "Maize.tsv", "Maize.txt", "records"};
    const std::string contents(reinterpret_cast<const char*>(data + 1), size - 1);
    cpt::life::Records records;
    try {
        cpt::life::addRecords(records, cpt::life::readTextRecords(contents, names[choice & 3u]));
    } catch (const cpt::UserError&) {
        return 0;
    }
    std::size_t days = 0;
    for (const cpt::life::TreatmentRecords& treatment : records.treatments) {
        if (treatment.individuals.empty() && treatment.aggregate.empty()) std::abort();
        for (const cpt::life::Individual& individual : treatment.individuals) {
            if (individual.eggs.empty()) std::abort();
            days += individual.eggs.size();
            for (const double eggs : individual.eggs) {
                if (!std::isfinite(eggs) || eggs < 0) std::abort();
            }
        }
        for (const cpt::life::AgeRow& row : treatment.aggregate) {
            if (!std::isfinite(row.age) || !std::isfinite(row.lx) || !std::isfinite(row.mx)) std::abort();
        }
    }
    cpt::life::LifeSettings settings;
    settings.bootstrap = 3;
    settings.threads = 1;
    settings.cohort = (choice & 0x04u) != 0 ? cpt::life::Cohort::Females : cpt::life::Cohort::All;
    settings.femaleOffspring = (choice & 0x08u) != 0 ? 0.5 : 1;
    settings.parameters.assign(cpt::life::AllLifeParameters.begin(), cpt::life::AllLifeParameters.end());
    if (cpt::life::recordsProblem(records, settings)) return 0;
    if (days > 200'000) return 0;  // a long run proves nothing more
    try {
        const cpt::life::LifeResult result = cpt::life::runLifeTables(records, settings);
        for (const cpt::life::TreatmentResult& treatment : result.treatments) {
            checkEstimates(treatment.table.estimates);
            for (const cpt::life::ParameterResult& parameter : treatment.parameters) {
                for (const double value : parameter.values) {
                    if (std::isnan(value)) std::abort();
                }
            }
        }
    } catch (const cpt::UserError&) {
    }
    return 0;
}
