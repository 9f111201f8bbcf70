#include "core/study/study_note.h"

#include <algorithm>
#include <utility>

#include "core/common/number_format.h"
#include "core/tables/table_forms.h"

namespace cpt {
namespace {

// "r", "r and lambda", "r, lambda and R0".
std::string spokenList(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

bool hasLetters(const CartesianResult& result) { return !result.letters.labels.empty(); }

}  // namespace

std::string bootstrapText(const StudyParameterRun& run) {
    if (!run.bootstrapNote.empty()) return run.bootstrapNote;
    const auto& treatments = run.result.treatments;
    if (treatments.empty()) return "";
    const auto [low, high] = std::minmax_element(
        treatments.begin(), treatments.end(),
        [](const TreatmentStatistics& a, const TreatmentStatistics& b) { return a.bootstrapNumber < b.bootstrapNumber; });
    if (low->bootstrapNumber == high->bootstrapNumber) return std::to_string(low->bootstrapNumber);
    return std::to_string(low->bootstrapNumber) + " to " + std::to_string(high->bootstrapNumber);
}

std::vector<std::string> studyNote(std::span<const StudyParameterRun> runs) {
    // Parameters grouped by their B, the groups in order of first appearance.
    std::vector<std::pair<std::string, std::vector<std::string>>> groups;
    for (const StudyParameterRun& run : runs) {
        const std::string b = bootstrapText(run);
        auto group = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == b; });
        if (group == groups.end()) {
            groups.push_back({b, {}});
            group = groups.end() - 1;
        }
        group->second.push_back(run.parameter);
    }
    std::string bootstrap;
    if (groups.size() == 1) {
        bootstrap = ", B = " + groups.front().first;
    } else {
        for (const auto& [b, parameters] : groups) bootstrap += "; B = " + b + " for " + spokenList(parameters);
    }
    std::string values = "Values are full-sample estimates \u00B1 SE (bootstrap standard deviation" + bootstrap + ").";
    const bool anyLetters = std::any_of(runs.begin(), runs.end(), [](const auto& run) { return hasLetters(run.result); });
    if (anyLetters) {
        values += " Values in a row followed by the same letter do not differ (Cartesian paired test, alpha = " +
                  textNumber(SignificanceLevel) + ").";
    }
    std::vector<std::string> note{values};
    for (const StudyParameterRun& run : runs) {
        std::string line = noLettersLine(run);
        if (!line.empty()) note.push_back(std::move(line));
    }
    return note;
}

std::string noLettersLine(const StudyParameterRun& run) {
    const std::size_t groupCount = run.result.letters.groupCount;
    if (hasLetters(run.result) || groupCount <= GroupLetterCount) return "";
    return "No letters for " + run.parameter + ": its treatments form " + std::to_string(groupCount) +
           " groups that do not differ, more than the " + std::to_string(GroupLetterCount) + " letters a-z, A-Z.";
}

}  // namespace cpt
