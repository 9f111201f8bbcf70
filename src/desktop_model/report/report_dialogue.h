#pragma once
// The window's question for the report's code, and the file it names.
#include <string>
#include <string_view>

namespace cpt {

class AppContext;
class Clock;
class PendingFile;
struct AnalysisState;

// The name of the report of the window's run for the code given.
std::string reportFileName(const AnalysisState& state, std::string_view code, Clock& clock);

// Asks for the code, names the file (never over an existing one: " (2)",
// " (3)", ... go before ".txt"), stores the name in OutputFileName and opens
// the file in the working folder. A file that cannot be created is reported
// and the code asked again; Cancel on that report throws Cancelled.
void openReportFile(AppContext& context, PendingFile& report);

}  // namespace cpt
