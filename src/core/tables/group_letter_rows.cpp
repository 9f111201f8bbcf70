#include "core/tables/group_letter_rows.h"

#include "core/state/analysis_state.h"
#include "core/common/print_line.h"
#include "core/tables/letter_marking.h"
#include "core/tables/table_forms.h"

namespace cpt {

std::vector<bool> pairSignificance(const AnalysisState& state) {
    std::vector<bool> flags;
    for (int i = 1; i <= state.TreatmentCount; ++i) {
        for (int j = i + 1; j <= state.TreatmentCount; ++j) flags.push_back(isSignificant(state.PValue[i][j]));
    }
    return flags;
}

GroupLettering groupLettering(const AnalysisState& state) {
    return letterBySimilarGroups(state.TreatmentCount, pairSignificance(state));
}

std::string tooManyGroupsLine(std::size_t groupCount) {
    return " Not marked: the treatments form " + std::to_string(groupCount) +
           " groups that do not differ, more than the " + std::to_string(GroupLetterCount) +
           " letters a-z, A-Z.";
}

void writeGroupLetterRows(PrintLine& line, const AnalysisState& state) {
    const GroupLettering lettering = groupLettering(state);
    if (lettering.labels.empty()) {
        line.line(tooManyGroupsLine(lettering.groupCount));
        return;
    }
    for (int t = 1; t <= state.TreatmentCount; ++t) {
        writeLetterRow(line, state, t, lettering.labels[static_cast<std::size_t>(t - 1)]);
    }
}

}  // namespace cpt
