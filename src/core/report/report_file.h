#pragma once
// Creating the report's file.
#include <filesystem>
#include <string>
#include <string_view>

#include "core/common/user_error.h"

namespace cpt {

// The box that reports a report file that cannot be created, and its advice
// to the user of the window (the batch program words its own).
inline constexpr std::string_view ReportFailureTitle = "The report file cannot be created";
inline constexpr std::string_view ReportFailureAdvice =
    "\nPlease click OK and enter another code (a file name cannot hold every character), "
    "or Cancel to end the test without a report.";

class PendingFile;

// The report's file could not be created under its name (the system's
// reason): another code or folder may do.
class ReportNotCreated : public UserError {
public:
    using UserError::UserError;
};

// Creates the report under the first free name among name, "name (2)", ...
// in the folder and returns the name taken. Throws UserError with the
// system's reason when it cannot be created.
std::string createReportFile(PendingFile& report, const std::filesystem::path& folder, const std::string& name);

}  // namespace cpt
