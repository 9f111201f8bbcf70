#pragma once
// Asking for the report's code and creating its file.
namespace cpt {

class AppContext;
class PendingFile;

// Asks for the code, names the file (never over an existing one: " (2)",
// " (3)", ... go before ".txt"), stores the name in OutputFileName and opens
// the file in the working folder. A file that cannot be created is reported
// and the code asked again; Cancel on that report throws Cancelled.
void openReportFile(AppContext& context, PendingFile& report);

}  // namespace cpt
