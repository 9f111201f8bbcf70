#include "core/report/report_file.h"

#include <string>

#include "core/common/pending_file.h"
#include "core/common/user_error.h"
#include "core/report/report_file_name.h"

namespace cpt {

// The search is bounded, since a name the system cuts short may collide every time.
std::string createReportFile(PendingFile& report, const std::filesystem::path& folder, const std::string& name) {
    for (int number = 1; number <= MaxNameNumber; ++number) {
        std::string candidate = numberedFileName(name, number);
        if (report.openNew(folder / candidate)) return candidate;
    }
    throw UserError("No free name was found for the report \"" + (folder / name).string() + "\": it and " +
                    std::to_string(MaxNameNumber - 1) + " numbered names beside it exist already.");
}

}  // namespace cpt
