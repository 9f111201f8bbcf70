#include "core/study/study_table.h"

#include <algorithm>
#include <stdexcept>

#include "core/common/field_reader.h"
#include "core/common/user_error.h"
#include "core/study/study_note.h"

namespace cpt {
namespace {

std::string inQuotes(std::string_view text) { return "\"" + quotedExcerpt(text) + "\""; }

// The run's treatment places in entry order.
std::vector<std::size_t> entryOrder(const CartesianResult& result) {
    std::vector<std::size_t> places(result.treatments.size());
    for (std::size_t i = 0; i < places.size(); ++i) places[i] = i;
    std::stable_sort(places.begin(), places.end(), [&](std::size_t a, std::size_t b) {
        return result.treatments[a].entry < result.treatments[b].entry;
    });
    return places;
}

void checkRuns(std::span<const StudyParameterRun> runs) {
    if (runs.empty()) throw UserError("A study table needs at least one parameter.");
    for (std::size_t p = 0; p < runs.size(); ++p) {
        const StudyParameterRun& run = runs[p];
        if (run.parameter.empty()) throw UserError("Parameter " + std::to_string(p + 1) + " of the study has no name.");
        for (std::size_t q = 0; q < p; ++q) {
            if (runs[q].parameter == run.parameter) {
                throw UserError("The parameter " + inQuotes(run.parameter) + " is given twice (parameters " +
                                std::to_string(q + 1) + " and " + std::to_string(p + 1) + ").");
            }
        }
        const auto& treatments = run.result.treatments;
        if (treatments.empty()) throw UserError("The run of parameter " + inQuotes(run.parameter) + " has no treatments.");
        for (std::size_t i = 0; i < treatments.size(); ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                if (treatments[i].name == treatments[j].name) {
                    throw UserError("The treatment " + inQuotes(treatments[i].name) +
                                    " appears twice in the run of parameter " + inQuotes(run.parameter) + ".");
                }
            }
        }
        const auto& labels = run.result.letters.labels;
        if (!labels.empty() && labels.size() != treatments.size()) {
            throw std::invalid_argument("buildStudyTable: " + std::to_string(labels.size()) + " letter labels for " +
                                        std::to_string(treatments.size()) + " treatments");
        }
    }
}

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::vector<std::string> columnsByAppearance(std::span<const StudyParameterRun> runs) {
    std::vector<std::string> columns;
    for (const StudyParameterRun& run : runs) {
        for (std::size_t place : entryOrder(run.result)) {
            const std::string& name = run.result.treatments[place].name;
            if (!contains(columns, name)) columns.push_back(name);
        }
    }
    return columns;
}

std::vector<std::string> columnsByOrder(std::span<const StudyParameterRun> runs, const std::vector<std::string>& order) {
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (std::find(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(i), order[i]) !=
            order.begin() + static_cast<std::ptrdiff_t>(i)) {
            throw UserError("The treatment order names " + inQuotes(order[i]) + " twice.");
        }
    }
    const std::vector<std::string> present = columnsByAppearance(runs);
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (!contains(present, order[i])) {
            throw UserError("The treatment order names " + inQuotes(order[i]) + " (name " + std::to_string(i + 1) +
                            "), which no parameter's run has.");
        }
    }
    for (const StudyParameterRun& run : runs) {
        for (const TreatmentStatistics& treatment : run.result.treatments) {
            if (!contains(order, treatment.name)) {
                throw UserError("The treatment " + inQuotes(treatment.name) + " of parameter " + inQuotes(run.parameter) +
                                " is not in the treatment order.");
            }
        }
    }
    return order;
}

std::string withoutLeadingBlanks(std::string_view label) {
    while (!label.empty() && label.front() == ' ') label.remove_prefix(1);
    return std::string(label);
}

StudyCell makeCell(const TreatmentStatistics& treatment, std::string letters, int digits) {
    StudyCell cell;
    cell.estimate = treatment.estimate;
    cell.standardError = treatment.sd;
    cell.letters = std::move(letters);
    cell.sampleSize = treatment.sampleSize;
    cell.bootstrapNumber = treatment.bootstrapNumber;
    const RoundedPair rounded = roundEstimateAndError(treatment.estimate, treatment.sd, digits);
    cell.estimateText = rounded.estimate;
    cell.errorText = rounded.standardError;
    cell.values = cell.estimateText + " \u00B1 " + cell.errorText;
    cell.text = cell.letters.empty() ? cell.values : cell.values + " " + cell.letters;
    return cell;
}

void checkLabels(std::span<const StudyParameterRun> runs,
                 const std::vector<std::pair<std::string, std::string>>& labels) {
    for (std::size_t i = 0; i < labels.size(); ++i) {
        // Named apart: emscripten's clang cannot capture a structured binding.
        const std::string& code = labels[i].first;
        const std::string& text = labels[i].second;
        const bool known = std::any_of(runs.begin(), runs.end(), [&](const auto& run) { return run.parameter == code; });
        if (!known) throw UserError("A label is given for " + inQuotes(code) + ", which is no parameter of the study.");
        if (text.empty()) throw UserError("The label of " + inQuotes(code) + " is empty.");
        for (std::size_t j = 0; j < i; ++j) {
            if (labels[j].first == code) throw UserError("The parameter " + inQuotes(code) + " is given two labels.");
        }
    }
}

std::string labelOf(const std::vector<std::pair<std::string, std::string>>& labels, const std::string& code) {
    for (const auto& [given, text] : labels) {
        if (given == code) return text;
    }
    return "";
}

}  // namespace

std::vector<std::size_t> studyRowOrder(std::span<const StudyParameterRun> runs, const std::vector<std::string>& named) {
    std::vector<std::size_t> order;
    const auto place = [&](const std::string& code) {
        for (std::size_t p = 0; p < runs.size(); ++p) {
            if (runs[p].parameter == code) return p;
        }
        return runs.size();
    };
    for (std::size_t i = 0; i < named.size(); ++i) {
        const std::size_t p = place(named[i]);
        if (p == runs.size()) {
            throw UserError("The row order names " + inQuotes(named[i]) + " (name " + std::to_string(i + 1) +
                            "), which is no parameter of the study.");
        }
        if (std::find(order.begin(), order.end(), p) != order.end()) {
            throw UserError("The row order names " + inQuotes(named[i]) + " twice.");
        }
        order.push_back(p);
    }
    for (const char* code : {"r", "lambda", "R0", "T", "GRR"}) {
        const std::size_t p = place(code);
        if (p < runs.size() && std::find(order.begin(), order.end(), p) == order.end()) order.push_back(p);
    }
    for (std::size_t p = 0; p < runs.size(); ++p) {
        if (std::find(order.begin(), order.end(), p) == order.end()) order.push_back(p);
    }
    return order;
}

std::string unbrokenValues(const StudyCell& cell) {
    return cell.estimateText + "\u00A0\u00B1\u00A0" + cell.errorText;
}

StudyTable buildStudyTable(std::span<const StudyParameterRun> runs, const StudyOptions& options) {
    if (options.digits < 1 || options.digits > MaxStudyDigits) {
        throw UserError("The number of significant digits must be 1 to " + std::to_string(MaxStudyDigits) +
                        "; it is " + std::to_string(options.digits) + ".");
    }
    checkRuns(runs);
    checkLabels(runs, options.labels);
    // The runs in the rows' order, so that the note names them in it too.
    std::vector<StudyParameterRun> ordered;
    ordered.reserve(runs.size());
    for (std::size_t p : studyRowOrder(runs, options.rowOrder)) ordered.push_back(runs[p]);
    StudyTable table;
    table.treatments =
        options.treatmentOrder.empty() ? columnsByAppearance(runs) : columnsByOrder(runs, options.treatmentOrder);
    for (const StudyParameterRun& run : ordered) {
        StudyRow row;
        row.parameter = run.parameter;
        row.lettersNote = noLettersLine(run);
        row.label = labelOf(options.labels, run.parameter);
        row.cells.resize(table.treatments.size());
        const auto& treatments = run.result.treatments;
        const auto& labels = run.result.letters.labels;
        for (std::size_t t = 0; t < treatments.size(); ++t) {
            const auto column = static_cast<std::size_t>(
                std::find(table.treatments.begin(), table.treatments.end(), treatments[t].name) -
                table.treatments.begin());
            row.cells[column] = makeCell(treatments[t], labels.empty() ? "" : withoutLeadingBlanks(labels[t]), options.digits);
        }
        for (std::size_t column = 0; column < row.cells.size(); ++column) {
            if (row.cells[column]) {
                table.tidyRows.push_back({run.parameter, row.label, table.treatments[column], *row.cells[column]});
            }
        }
        table.rows.push_back(std::move(row));
    }
    table.note = studyNote(ordered);
    return table;
}

}  // namespace cpt
