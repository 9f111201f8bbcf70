#pragma once
// What the R and Python packages take of a life-table run, so that both
// read records, lay out the replicates and make a parameter's treatments
// exactly as cpt does.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/analysis/treatment.h"
#include "core/life/life_bootstrap.h"
#include "core/life/records.h"

namespace cpt::life {

// A column of a caller's records table: its name and its cells as text
// (empty: a missing cell).
struct RecordColumn {
    std::string name;
    std::vector<std::string> cells;
};

// A number as a cell: the shortest text that reads back as the same double;
// empty for NaN.
std::string recordCell(double value);

// The columns read as a records table is, row by row (the names the header
// row 0, the cells rows 1, 2, ...); `tableName` names the table in messages
// and is its treatment's name where there is no treatment column.
// Throws UserError as the file readers do.
std::vector<TreatmentRecords> recordsOfColumns(std::span<const RecordColumn> columns, const std::string& tableName);

// The parameter's value of every replicate 1..B, NaN where it has none.
std::vector<double> replicateValues(const ParameterResult& parameter, std::int64_t bootstrap);

// The parameters whose bootstrap file is written for some treatment, in the
// run's order.
std::vector<LifeParameter> writtenParameters(const LifeResult& result);

// The treatments of the parameter's written bootstrap files, read from the
// files' text as any analysis reads them. Throws UserError when the run
// wrote no file of the parameter.
std::vector<Treatment> parameterTreatments(const LifeResult& result, LifeParameter parameter);

}  // namespace cpt::life
