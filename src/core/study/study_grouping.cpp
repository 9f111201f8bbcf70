#include "core/study/study_grouping.h"

#include <algorithm>

#include "core/common/field_reader.h"
#include "core/common/user_error.h"
#include "core/common/capacities.h"

namespace cpt {
namespace {

std::string inQuotes(std::string_view text) { return "\"" + quotedExcerpt(text) + "\""; }

std::string sourceOf(const Treatment& treatment) {
    return treatment.source.empty() ? std::string("a treatment given in memory") : inQuotes(treatment.source);
}

void checkGroup(const StudyParameterGroup& group) {
    const std::vector<Treatment>& treatments = group.treatments;
    if (treatments.size() < 2) {
        throw UserError("The parameter " + inQuotes(group.parameter) + " has only the treatment " +
                        inQuotes(treatments.front().name) + " (in " + sourceOf(treatments.front()) +
                        "): its Cartesian paired test needs at least 2 treatments.");
    }
    if (treatments.size() > static_cast<std::size_t>(TreatmentCapacity)) {
        throw UserError("The parameter " + inQuotes(group.parameter) + " has " + std::to_string(treatments.size()) +
                        " treatments; a Cartesian paired test takes at most " + std::to_string(TreatmentCapacity) + ".");
    }
}

}  // namespace

std::vector<StudyParameterGroup> groupByParameter(std::vector<Treatment> treatments) {
    std::vector<StudyParameterGroup> groups;
    for (Treatment& treatment : treatments) {
        if (treatment.code.empty()) {
            throw UserError("The treatment " + inQuotes(treatment.name) + " in " + sourceOf(treatment) +
                            " names no parameter: its parameter code is empty.");
        }
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const StudyParameterGroup& g) { return g.parameter == treatment.code; });
        if (group == groups.end()) {
            groups.push_back({treatment.code, {}});
            group = groups.end() - 1;
        }
        for (const Treatment& earlier : group->treatments) {
            if (earlier.name == treatment.name) {
                throw UserError("The treatment " + inQuotes(treatment.name) + " of parameter " +
                                inQuotes(group->parameter) + " is given twice: in " + sourceOf(earlier) + " and in " +
                                sourceOf(treatment) + ".");
            }
        }
        group->treatments.push_back(std::move(treatment));
    }
    for (const StudyParameterGroup& group : groups) checkGroup(group);
    return groups;
}

void checkStudyOptions(std::span<const StudyParameterGroup> groups, const StudyOptions& options) {
    std::vector<StudyParameterRun> names(groups.size());
    for (std::size_t p = 0; p < groups.size(); ++p) {
        names[p].parameter = groups[p].parameter;
        for (std::size_t t = 0; t < groups[p].treatments.size(); ++t) {
            TreatmentStatistics treatment;
            treatment.entry = static_cast<int>(t);
            treatment.name = groups[p].treatments[t].name;
            names[p].result.treatments.push_back(std::move(treatment));
        }
    }
    buildStudyTable(names, options);
}

}  // namespace cpt
