#include "core/report/letter_rows.h"

#include "core/analysis/cartesian_result.h"
#include "core/common/print_line.h"
#include "core/tables/group_letters.h"

namespace cpt {

void writeLetterRow(PrintLine& line, const TreatmentStatistics& treatment, std::string_view label) {
    line.text(" ").text(treatment.name);
    line.col(15).number(treatment.estimate);
    line.col(40).number(treatment.sd);
    line.col(65).text(label).end();
}

std::string tooManyGroupsLine(std::size_t groupCount) {
    return " Not marked: the treatments form " + std::to_string(groupCount) +
           " groups that do not differ, more than the " + std::to_string(GroupLetterCount) +
           " letters a-z, A-Z.";
}

void writeLetterRows(PrintLine& line, const CartesianResult& result) {
    const std::vector<std::string>& labels = result.letters.labels;
    if (labels.empty()) {
        line.line(tooManyGroupsLine(result.letters.groupCount));
        return;
    }
    for (std::size_t t = 0; t < result.treatments.size(); ++t) writeLetterRow(line, result.treatments[t], labels[t]);
}

}  // namespace cpt
