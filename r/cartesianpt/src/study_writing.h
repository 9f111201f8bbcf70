#pragma once
// study_table() and write_study_table(): the core's study table of several
// parameters' results, as tidy columns and as files.
#include <Rcpp.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/study/study_table.h"

namespace cptr {

struct StudyRequest {
    Rcpp::List results;  // one kept result per parameter
    std::vector<std::string> parameters;
    std::vector<std::string> order;  // empty: as the runs give them
    // The rows named first; empty: the table's default order.
    std::vector<std::string> rowOrder;
    int digits = cpt::DefaultStudyDigits;
};

// Throws UserError as buildStudyTable does.
cpt::StudyTable studyTableOf(const StudyRequest& request);

// parameter, treatment, n, B, estimate, SE, letters, cell.
Rcpp::List tidyColumns(const cpt::StudyTable& table);

// Writes the table in the format ("csv", "xlsx", "html", "tex", "md",
// "docx") to the path, replacing a file there only once the new one is
// whole. Throws UserError naming the file.
void writeStudyFile(const cpt::StudyTable& table, const std::string& format, const std::filesystem::path& path);

}  // namespace cptr
