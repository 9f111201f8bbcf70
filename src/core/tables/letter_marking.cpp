#include "core/tables/letter_marking.h"

#include "core/common/print_line.h"
#include "core/state/app_context.h"
#include "core/tables/group_letter_rows.h"
#include "core/tables/letter_tables.h"
#include "core/tables/table_forms.h"

namespace cpt {

int significancePattern(const AnalysisState& state, int treatmentCount) {
    int pattern = 0;
    for (int i = 1; i <= treatmentCount; ++i) {
        for (int j = i + 1; j <= treatmentCount; ++j) {
            pattern = pattern * 2 + (isSignificant(state.PValue[i][j]) ? 1 : 0);
        }
    }
    return pattern;
}

std::vector<std::string> letterLabels(const AnalysisState& state) {
    const int n = state.TreatmentCount;
    if (n < 2) return {};
    if (n > 4) return groupLettering(state).labels;
    const auto pattern = static_cast<std::size_t>(significancePattern(state, n));
    switch (n) {
        case 2: return {TwoTreatmentMarking[pattern].begin(), TwoTreatmentMarking[pattern].end()};
        case 3: return {ThreeTreatmentMarking[pattern].begin(), ThreeTreatmentMarking[pattern].end()};
        case 4: return {FourTreatmentMarking[pattern].begin(), FourTreatmentMarking[pattern].end()};
        default: return {};
    }
}

void writeLetterRow(PrintLine& line, const AnalysisState& state, int treatment, std::string_view label) {
    line.text(" ").text(state.TreatmentName[treatment]);
    line.col(15).number(state.PointEstimate[treatment]);
    line.col(40).number(state.BootSD[treatment]);
    line.col(65).text(label).end();
}

void PrintPairTestTable4Treats(AppContext& context, OutputFile& report) {
    const AnalysisState& state = context.state;
    const std::vector<std::string> labels = letterLabels(state);
    PrintLine line(report);
    for (int treatment = 1; treatment <= 4; ++treatment) {
        writeLetterRow(line, state, treatment, labels[static_cast<std::size_t>(treatment - 1)]);
    }
}

}  // namespace cpt
