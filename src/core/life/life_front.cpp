#include "core/life/life_front.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/common/number_format.h"
#include "core/common/user_error.h"
#include "core/input/text_treatments.h"
#include "core/life/life_files.h"

namespace cpt::life {
namespace {

std::vector<TreatmentRecords> readColumns(RecordTable& table, std::span<const RecordColumn> columns,
                                          const std::string& tableName);

}  // namespace

std::string recordCell(double value) {
    if (std::isnan(value)) return {};
    return roundTripNumber(value);
}

std::vector<TreatmentRecords> recordsOfColumns(std::span<const RecordColumn> columns, const std::string& tableName) {
    TableOrigin origin;
    origin.displayName = tableName;
    origin.defaultCode = tableName;
    RecordTable table(origin);
    try {
        return readColumns(table, columns, tableName);
    } catch (const UserError& error) {
        // The reader names a file; here it is the caller's table.
        const std::string file = "The file \"" + tableName + "\" cannot be used: ";
        const std::string message = error.what();
        if (message.starts_with(file)) {
            throw UserError("The records " + tableName + " cannot be used: " + message.substr(file.size()));
        }
        throw;
    }
}

namespace {

std::vector<TreatmentRecords> readColumns(RecordTable& table, std::span<const RecordColumn> columns,
                                          const std::string& tableName) {
    std::vector<TableCell> cells;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        cells.push_back({static_cast<std::int32_t>(c + 1), columns[c].name});
    }
    table.addRow(0, cells);
    const std::size_t rows = columns.empty() ? 0 : columns.front().cells.size();
    for (const RecordColumn& column : columns) {
        if (column.cells.size() != rows) {
            throw UserError("The records " + tableName + " cannot be used: its columns differ in length.");
        }
    }
    for (std::size_t row = 0; row < rows; ++row) {
        cells.clear();
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const std::string& text = columns[c].cells[row];
            if (!text.empty()) cells.push_back({static_cast<std::int32_t>(c + 1), text});
        }
        table.addRow(static_cast<std::int64_t>(row + 1), cells);
    }
    return table.finish();
}

}  // namespace

std::vector<double> replicateValues(const ParameterResult& parameter, std::int64_t bootstrap) {
    std::vector<double> values(static_cast<std::size_t>(bootstrap), std::numeric_limits<double>::quiet_NaN());
    std::size_t kept = 0, skipped = 0;
    for (std::size_t b = 0; b < values.size() && kept < parameter.values.size(); ++b) {
        if (skipped < parameter.withoutAt.size() && parameter.withoutAt[skipped] == static_cast<std::int64_t>(b)) {
            ++skipped;
            continue;
        }
        values[b] = parameter.values[kept++];
    }
    return values;
}

std::vector<LifeParameter> writtenParameters(const LifeResult& result) {
    std::vector<LifeParameter> written;
    for (const TreatmentResult& treatment : result.treatments) {
        for (const ParameterResult& p : treatment.parameters) {
            if (p.written && std::find(written.begin(), written.end(), p.parameter) == written.end()) {
                written.push_back(p.parameter);
            }
        }
    }
    // In the run's order, whichever treatment wrote them first.
    std::vector<LifeParameter> ordered;
    if (!result.treatments.empty()) {
        for (const ParameterResult& p : result.treatments.front().parameters) {
            if (std::find(written.begin(), written.end(), p.parameter) != written.end()) ordered.push_back(p.parameter);
        }
    }
    return ordered;
}

std::vector<Treatment> parameterTreatments(const LifeResult& result, LifeParameter parameter) {
    std::vector<Treatment> treatments;
    for (const TreatmentResult& treatment : result.treatments) {
        for (const ParameterResult& p : treatment.parameters) {
            if (p.parameter != parameter || !p.written) continue;
            const std::string name = bootstrapFileName(treatment.name, parameter);
            for (Treatment& t : readTextTreatments(bootstrapFileText(treatment, p), name, ReadOptions{})) {
                treatments.push_back(std::move(t));
            }
        }
    }
    if (treatments.empty()) {
        throw UserError("The life tables have no bootstrap values of " + std::string(parameterCode(parameter)) +
                        ": no treatment's file of it was written.");
    }
    return treatments;
}

}  // namespace cpt::life
