#include "core/input/table_treatments.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "core/analysis/transformation.h"
#include "core/common/decimal_parse.h"
#include "core/common/field_reader.h"
#include "core/common/number_format.h"
#include "core/common/rounding.h"
#include "core/common/user_error.h"
#include "core/input/treatment_file.h"

namespace cpt {
namespace {

std::string lowered(std::string_view text) {
    std::string low(text);
    for (char& c : low) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return low;
}

std::optional<double> numberOf(std::string_view text, char decimalMark) {
    std::optional<double> value;
    if (decimalMark == ',' && text.find(',') != std::string_view::npos) {
        std::string pointed(text);
        std::replace(pointed.begin(), pointed.end(), ',', '.');
        value = parseDecimalExactly(pointed);
    } else {
        value = parseDecimalExactly(text);
    }
    if (value && !std::isfinite(*value)) return std::nullopt;
    return value;
}

std::string inQuotes(std::string_view text) {
    std::string quoted(1, '"');
    quoted += quotedExcerpt(text);
    quoted += '"';
    return quoted;
}

// A treatment name as it would be typed after an option.
std::string asArgument(const std::string& name, std::string_view rest) {
    const std::string argument = name + std::string(rest);
    if (name.find_first_of(" \t\"'") == std::string::npos) return argument;
    return "\"" + argument + "\"";
}

}  // namespace

std::string chooseParameter(std::span<const std::string> codes, const std::string& fileName,
                            const ReadOptions& options) {
    std::vector<std::string> distinct;
    for (const std::string& code : codes) {
        if (std::find(distinct.begin(), distinct.end(), code) == distinct.end()) distinct.push_back(code);
    }
    std::string listed;
    for (const std::string& code : distinct) listed += (listed.empty() ? "" : ", ") + printableText(code);
    const std::string refused = "The file \"" + fileName + "\" cannot be used: ";
    if (options.parameter) {
        if (std::find(distinct.begin(), distinct.end(), *options.parameter) == distinct.end()) {
            throw UserError(refused + "it gives no treatment of the parameter " + inQuotes(*options.parameter) +
                            " (it has " + listed + ").");
        }
        return *options.parameter;
    }
    if (distinct.size() > 1) {
        throw UserError(refused + "it holds treatments of " + std::to_string(distinct.size()) + " parameters (" +
                        listed + "); name one with " + options.wording.parameter + " CODE.");
    }
    return distinct.empty() ? std::string() : distinct.front();
}

std::vector<Treatment> selectParameter(std::vector<Treatment> treatments, const std::string& fileName,
                                       const ReadOptions& options) {
    std::vector<std::string> codes;
    for (const Treatment& treatment : treatments) codes.push_back(treatment.code);
    const std::string chosen = chooseParameter(codes, fileName, options);
    std::erase_if(treatments, [&](const Treatment& t) { return t.code != chosen; });
    return treatments;
}

std::string columnLetters(std::int32_t column) {
    std::string letters;
    for (std::int64_t n = column; n > 0; n = (n - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return letters;
}

TableTreatments::TableTreatments(TableOrigin origin, const ReadOptions& options, std::int64_t valueCapacity)
    : origin_(std::move(origin)), options_(options), valueCapacity_(valueCapacity) {}

void TableTreatments::complain(const std::string& problem) const {
    throw UserError("The file \"" + origin_.displayName + "\" cannot be used: " + problem);
}

std::string TableTreatments::place(std::int64_t row, std::int32_t column) const {
    if (origin_.sheet.empty()) return "row " + std::to_string(row) + ", column " + std::to_string(column);
    return "cell " + columnLetters(column) + std::to_string(row) + " of sheet \"" + printableText(origin_.sheet) + "\"";
}

std::string TableTreatments::columnSource(const Column& column) const {
    if (origin_.sheet.empty()) return "column \"" + printableText(column.name) + "\" of " + origin_.displayName;
    return origin_.displayName + ", sheet \"" + printableText(origin_.sheet) + "\", column " +
           columnLetters(column.column);
}

void TableTreatments::addRow(std::int64_t row, std::span<const TableCell> cells) {
    if (!headerRead_) {
        readHeader(row, cells);
        headerRead_ = true;
    } else if (long_) {
        addLongRow(row, cells);
    } else {
        addWideRow(row, cells);
    }
}

void TableTreatments::readHeader(std::int64_t row, std::span<const TableCell> cells) {
    headerRow_ = row;
    std::vector<std::string> names;
    for (const TableCell& cell : cells) {
        if (cell.text.empty()) continue;
        names.resize(static_cast<std::size_t>(cell.column));
        names[static_cast<std::size_t>(cell.column - 1)] = std::string(cell.text);
    }
    if (names.empty()) {
        complain("its first row (row " + std::to_string(row) +
                 ") holds no column names, but a table needs a header row: the treatments' names, or "
                 "\"treatment\" and \"value\".");
    }
    lastNamedColumn_ = static_cast<std::int32_t>(names.size());
    // Columns without a name before the first name hold row names, as R
    // writes them, or are a sheet's margin.
    std::int32_t firstNamed = 1;
    while (names[static_cast<std::size_t>(firstNamed - 1)].empty()) ++firstNamed;
    std::map<std::string_view, std::int32_t> seen;
    for (std::int32_t c = firstNamed; c <= lastNamedColumn_; ++c) {
        const std::string& name = names[static_cast<std::size_t>(c - 1)];
        if (name.empty()) {
            complain(place(row, c) + " is empty, but the header row must name every column from its first name on.");
        }
        const auto [earlier, added] = seen.emplace(name, c);
        if (!added) {
            complain(place(row, c) + " names the column " + inQuotes(name) + " again (" +
                     place(row, earlier->second) + " does already); each column needs a name of its own.");
        }
    }
    for (std::int32_t c = 1; c <= lastNamedColumn_; ++c) {
        const std::string name = lowered(names[static_cast<std::size_t>(c - 1)]);
        if (name == "treatment") treatmentColumn_ = c;
        if (name == "value") valueColumn_ = c;
        if (name == "parameter") parameterColumn_ = c;
        if (name == "n") sizeColumn_ = c;
        if (name == "estimate") estimateColumn_ = c;
    }
    if (treatmentColumn_ != 0) {
        if (valueColumn_ == 0) {
            complain("its header row names a column \"treatment\" (" + place(row, treatmentColumn_) +
                     ") but none \"value\": a table of one row per value needs both, a table of one column per "
                     "treatment names no column \"treatment\".");
        }
        long_ = true;
        return;
    }
    for (std::int32_t c = firstNamed; c <= lastNamedColumn_; ++c) {
        Column column;
        column.name = names[static_cast<std::size_t>(c - 1)];
        column.column = c;
        column.lastRow = row;
        columns_.push_back(std::move(column));
    }
}

double TableTreatments::valueOf(std::int64_t row, std::int32_t column, std::string_view text,
                                const std::string& treatment, Transformation transformation) const {
    // The message is made only for a bad cell: this runs once per value.
    auto where = [&] { return place(row, column) + " (treatment " + inQuotes(treatment) + ")"; };
    const std::optional<double> x = numberOf(text, origin_.decimalMark);
    if (!x) complain(where() + " should be a bootstrap value (a number), but it holds " + inQuotes(text) + ".");
    if (!inTransformationRange(transformation, *x)) {
        complain(where() + " holds " + textNumber(*x) + ", but " +
                 std::string(transformationRangeText(transformation)) + ".");
    }
    const double transformed = applyTransformation(transformation, *x);
    if (std::fabs(transformed) > MaxValueMagnitude) {
        complain(where() + " holds " + textNumber(*x) +
                 ", but a bootstrap value must lie between -1E+150 and 1E+150.");
    }
    return transformed;
}

void TableTreatments::addWideRow(std::int64_t row, std::span<const TableCell> cells) {
    auto column = columns_.begin();
    for (const TableCell& cell : cells) {
        if (cell.text.empty()) continue;
        if (cell.column > lastNamedColumn_) {
            complain(place(row, cell.column) + " holds " + inQuotes(cell.text) +
                     ", but the header row names no column there.");
        }
        while (column != columns_.end() && column->column < cell.column) ++column;
        if (column == columns_.end() || column->column != cell.column) continue;  // the row names
        if (column->lastRow != row - 1) {
            complain(place(column->lastRow + 1, cell.column) + " is empty, but column " + inQuotes(column->name) +
                     " goes on below it (" + place(row, cell.column) + "); only the end of a column may be empty.");
        }
        if (static_cast<std::int64_t>(column->values.size()) >= valueCapacity_ - 1) {
            complain("column " + inQuotes(column->name) + " holds more than the " + std::to_string(valueCapacity_ - 1) +
                     " values a treatment can hold.");
        }
        column->values.push_back(valueOf(row, cell.column, cell.text, column->name, options_.transformation));
        column->lastRow = row;
    }
}

void TableTreatments::addLongRow(std::int64_t row, std::span<const TableCell> cells) {
    std::string_view name, value, parameter, size, estimate;
    bool any = false;
    for (const TableCell& cell : cells) {
        if (cell.text.empty()) continue;
        any = true;
        if (cell.column == treatmentColumn_) name = cell.text;
        if (cell.column == valueColumn_) value = cell.text;
        if (cell.column == parameterColumn_) parameter = cell.text;
        if (cell.column == sizeColumn_) size = cell.text;
        if (cell.column == estimateColumn_) estimate = cell.text;
    }
    if (!any) return;
    if (name.empty()) {
        complain(place(row, treatmentColumn_) + " gives no treatment name, but its row holds other cells.");
    }
    const std::string treatmentName(name);
    if (value.empty()) {
        complain(place(row, valueColumn_) + " is empty, but its row names the treatment " + inQuotes(name) + ".");
    }
    std::string code = !parameter.empty() ? std::string(parameter) : options_.parameter.value_or(origin_.defaultCode);
    auto key = std::make_pair(code, treatmentName);
    auto found = longIndex_.find(key);
    if (found == longIndex_.end()) {
        found = longIndex_.emplace(std::move(key), longTreatments_.size()).first;
        LongTreatment added;
        added.treatment.name = treatmentName;
        added.treatment.code = std::move(code);
        added.treatment.source = origin_.sheet.empty()
                                     ? "treatment " + inQuotes(name) + " of " + origin_.displayName
                                     : origin_.displayName + ", sheet \"" + printableText(origin_.sheet) +
                                           "\", treatment " + inQuotes(name);
        added.firstRow = row;
        longTreatments_.push_back(std::move(added));
    }
    LongTreatment& treatment = longTreatments_[found->second];
    if (!size.empty()) {
        const std::optional<double> n = numberOf(size, origin_.decimalMark);
        const std::optional<std::int32_t> whole = n && *n == std::floor(*n) ? toInt32(*n) : std::nullopt;
        if (!whole || *whole < 1) {
            complain(place(row, sizeColumn_) + " should be the sample size n of treatment " + inQuotes(name) +
                     " (a whole number of at least 1), but it holds " + inQuotes(size) + ".");
        }
        if (treatment.sampleSize && *treatment.sampleSize != *whole) {
            complain(place(row, sizeColumn_) + " gives n = " + std::to_string(*whole) + " for treatment " +
                     inQuotes(name) + ", but row " + std::to_string(treatment.firstRow) + " gives n = " +
                     std::to_string(*treatment.sampleSize) + "; n must be the same in every row of a treatment.");
        }
        treatment.sampleSize = whole;
    }
    if (!estimate.empty()) {
        const std::optional<double> x = numberOf(estimate, origin_.decimalMark);
        if (!x) {
            complain(place(row, estimateColumn_) + " should be the estimate of treatment " + inQuotes(name) +
                     " (a number), but it holds " + inQuotes(estimate) + ".");
        }
        if (treatment.estimate && *treatment.estimate != *x) {
            complain(place(row, estimateColumn_) + " gives the estimate " + textNumber(*x) + " for treatment " +
                     inQuotes(name) + ", but row " + std::to_string(treatment.firstRow) + " gives " +
                     textNumber(*treatment.estimate) + "; the estimate must be the same in every row of a treatment.");
        }
        treatment.estimate = x;
    }
    // Another parameter's values are checked as numbers, but neither
    // transformed (they need not lie in the transformation's range) nor kept.
    if (options_.parameter && treatment.treatment.code != *options_.parameter) {
        valueOf(row, valueColumn_, value, treatmentName, Transformation::None);
        return;
    }
    BootstrapValues& values = treatment.treatment.values;
    if (static_cast<std::int64_t>(values.size()) >= valueCapacity_ - 1) {
        complain("treatment " + inQuotes(name) + " holds more than the " + std::to_string(valueCapacity_ - 1) +
                 " values a treatment can hold.");
    }
    values.push_back(valueOf(row, valueColumn_, value, treatmentName, options_.transformation));
}

void TableTreatments::complete(Treatment& treatment, std::optional<std::int32_t> sampleSize,
                               std::optional<double> estimate) const {
    const std::size_t count = treatment.values.size();
    if (count == 0) {
        complain(treatment.source + " holds no values: every cell below its name is empty.");
    }
    if (count < 2) {
        complain(treatment.source + " holds only 1 bootstrap value, but at least 2 are needed.");
    }
    const ReadWording& wording = options_.wording;
    if (!sampleSize) {
        if (auto given = options_.sampleSizes.find(treatment.name); given != options_.sampleSizes.end()) {
            sampleSize = given->second;
        } else {
            sampleSize = options_.sampleSize;
        }
    }
    if (!sampleSize && !options_.leaveMissingOpen) {
        complain("the table gives no sample size for treatment " + inQuotes(treatment.name) + "; give it with " +
                 wording.sampleSize + " " + asArgument(treatment.name, "=N") + " (or " + wording.sampleSize +
                 " N for every treatment).");
    }
    if (sampleSize && *sampleSize < 1) {
        complain("the sample size of treatment " + inQuotes(treatment.name) + " is " + std::to_string(*sampleSize) +
                 ", but a sample size must be at least 1.");
    }
    if (!estimate) {
        if (auto given = options_.estimates.find(treatment.name); given != options_.estimates.end()) {
            estimate = given->second;
        }
    }
    if (!estimate && !options_.leaveMissingOpen) {
        complain("the table gives no estimate (the parameter of the full sample) for treatment " +
                 inQuotes(treatment.name) + "; give it with " + wording.estimate + " " +
                 asArgument(treatment.name, "=X") + ".");
    }
    treatment.sampleSize = sampleSize.value_or(0);
    treatment.sampleSizeMissing = !sampleSize;
    treatment.estimate = estimate.value_or(0);
    treatment.estimateMissing = !estimate;
    treatment.transformation = options_.transformation;
    treatment.orderingMean.reset();
}

std::vector<Treatment> TableTreatments::finish() {
    if (!headerRead_) complain("it is empty, but a table needs a header row and values below it.");
    std::vector<Treatment> treatments;
    if (long_) {
        if (longTreatments_.empty()) complain("its header row has no rows of values below it.");
        std::vector<std::string> codes;
        for (const LongTreatment& entry : longTreatments_) codes.push_back(entry.treatment.code);
        const bool every = options_.everyParameter && !options_.parameter;
        const std::string chosen = every ? std::string() : chooseParameter(codes, origin_.displayName, options_);
        for (LongTreatment& entry : longTreatments_) {
            if (!every && entry.treatment.code != chosen) continue;
            complete(entry.treatment, entry.sampleSize, entry.estimate);
            entry.treatment.codeFromFileName = parameterColumn_ == 0 && !options_.parameter;
            treatments.push_back(std::move(entry.treatment));
        }
        return treatments;
    }
    if (columns_.empty()) complain("its header row names no column of values.");
    const std::string code = options_.parameter.value_or(origin_.defaultCode);
    for (Column& column : columns_) {
        Treatment treatment;
        treatment.name = column.name;
        treatment.code = code;
        treatment.source = columnSource(column);
        treatment.codeFromFileName = !options_.parameter;
        treatment.values = std::move(column.values);
        complete(treatment, std::nullopt, std::nullopt);
        treatments.push_back(std::move(treatment));
    }
    return treatments;
}

}  // namespace cpt
