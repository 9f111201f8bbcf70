#pragma once
// The treatments of an .xlsx workbook: its first worksheet, or the one the
// options name, read as a table (see core/input/table_treatments.h). A number
// cell gives the double it stores, a text cell its text; messages name the
// cell ("cell C12 of sheet \"Sheet1\"").
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/treatment.h"
#include "core/input/read_options.h"

namespace cpt::xlsx {

class WorkbookParts;

// Unpacks the workbook and hands its parts to `read` (with the file's name
// as messages give it), for any reader of its sheets. Throws UserError
// naming the file when it is no workbook.
using PartsReader = std::function<void(WorkbookParts& parts, const std::string& fileName)>;
void withXlsxParts(const std::filesystem::path& path, const PartsReader& read);
void withXlsxParts(std::string_view bytes, const std::string& fileName, const PartsReader& read);

// Throws UserError naming the file (and the cell) when it is no workbook,
// has no such sheet, or a cell is wrong.
std::vector<Treatment> readXlsxTreatments(const std::filesystem::path& path, const ReadOptions& options);
// The same for a file's bytes in memory; `fileName` names it.
std::vector<Treatment> readXlsxTreatments(std::string_view bytes, const std::string& fileName,
                                          const ReadOptions& options);

}  // namespace cpt::xlsx
