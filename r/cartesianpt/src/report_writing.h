#pragma once
// write_report(): the report file cpt writes for the same treatments,
// options and time, with the difference files when asked.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "run_request.h"

namespace cptr {

struct ReportRequest {
    std::filesystem::path folder;
    std::string code = "1";
    std::string fixedTime;  // empty: the run's own moments
    // When the result was made, as "2026-12-09 22:32:02".
    std::string began;
    std::string ended;
    bool differences = false;
};

struct WrittenReport {
    std::filesystem::path report;
    std::vector<std::filesystem::path> differenceFiles;
};

// Reports the kept result, or runs again when it is gone or when the
// difference files are asked (they are written while the test runs, and the
// stamps are then those of this run). Throws UserError with cpt's messages;
// nothing stays written then.
// run() gives the run again; it is asked only when it is needed.
WrittenReport writeReport(SEXP keptResult, const std::function<RunRequest()>& run, const ReportRequest& request);

}  // namespace cptr
