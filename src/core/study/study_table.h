#pragma once
// The study table of a life-table study: one row per parameter, one column
// per treatment, each cell "estimate ± SE letters" from that parameter's
// Cartesian run, and the same values as tidy rows for a spreadsheet.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis/cartesian_result.h"
#include "core/study/study_rounding.h"

namespace cpt {

// One parameter's Cartesian run.
struct StudyParameterRun {
    std::string parameter;  // the row's name, as "r" or "R0"
    CartesianResult result;
    // The B the note gives for this parameter; empty: the treatments' B.
    std::string bootstrapNote;
};

struct StudyOptions {
    // Treatment names in column order; empty: in the order each name first
    // appears, parameter by parameter, each run's treatments in entry order.
    std::vector<std::string> treatmentOrder;
    // Parameters named first, in this order; the rest after them. Either way
    // r, lambda, R0, T and GRR come first in that order, then the others as
    // they came.
    std::vector<std::string> rowOrder;
    // (code, text): the row's name in every format instead of its code.
    std::vector<std::pair<std::string, std::string>> labels;
    int digits = DefaultStudyDigits;  // significant digits of the SE
};

struct StudyCell {
    double estimate = 0;  // the full-sample estimate
    double standardError = 0;  // the bootstrap standard deviation
    std::string letters;  // "ab", empty when the run has no letters
    std::int32_t sampleSize = 0;
    std::int32_t bootstrapNumber = 0;
    std::string estimateText;  // "0.1512"
    std::string errorText;     // "0.0059"
    std::string values;        // "0.1512 ± 0.0059"
    std::string text;    // "0.1512 ± 0.0059 a"
};

struct StudyRow {
    std::string parameter;
    std::vector<std::optional<StudyCell>> cells;  // one per column; none: no such treatment in the run
    std::string lettersNote;  // the note's line when the run's groups outnumber the letters
    std::string label;  // given with the options; empty: none
};

struct StudyTidyRow {
    std::string parameter;
    std::string label;  // the row's given label; empty: none
    std::string treatment;
    StudyCell cell;
};

struct StudyTable {
    std::vector<std::string> treatments;  // the columns
    std::vector<StudyRow> rows;
    std::vector<StudyTidyRow> tidyRows;  // parameter by parameter, in column order
    // The lines under the table: what the values are, then one line per
    // parameter that has no letters.
    std::vector<std::string> note;
};

// The values with no-break spaces around the ±, for the formats a word
// processor lays out: a value never breaks over two lines of its cell.
std::string unbrokenValues(const StudyCell& cell);

// The runs' places in the table's row order. Throws UserError for a row
// order that names a parameter twice or one no run has.
std::vector<std::size_t> studyRowOrder(std::span<const StudyParameterRun> runs, const std::vector<std::string>& named);

// Throws UserError for a study without runs, a repeated parameter or
// treatment, an order that leaves a treatment out or names one no run has,
// or a label of no parameter, given twice or empty.
StudyTable buildStudyTable(std::span<const StudyParameterRun> runs, const StudyOptions& options = {});

}  // namespace cpt
