#pragma once
// Everything a procedure of the window works with: the analysis state, the
// main window's model, the two ports and the flow record file. Owned by the
// desktop program's application object (and the tests' fixtures) and handed
// to every procedure.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

#include "desktop_model/state/analysis_state.h"
#include "core/common/clock.h"
#include "desktop_model/common/control_model.h"
#include "desktop_model/common/dialogs.h"
#include "core/common/output_file.h"
#include "core/input/treatment_reader.h"

namespace cpt {

struct CartesianRun;  // the analysis layer's

class AppContext {
public:
    AppContext(Dialogs& dialogs, Clock& clock, bool maintainerMode);

    AnalysisState state;
    ControlModel window;
    Dialogs& dialogs;
    Clock& clock;
    // Where output files named without a folder are created.
    std::filesystem::path workingDirectory;
    // Open while the maintainer's flow record is on.
    OutputFile flowFile;
    // Pairs with more differences are judged from their samples' sorted
    // values and exact sums, and their differences are not listed. Tests
    // lower it to send small pairs that way.
    std::int64_t differenceListCapacity = ValueCapacity;
    // The treatments of the run being read or run, and its result once done;
    // kept after the run for the Results window.
    std::shared_ptr<CartesianRun> cartesianRun;
    // Reads each treatment file chosen; none: the core's text forms
    // (described files, text tables). The desktop program adds workbooks.
    TreatmentReader readTreatments;
    // Threads for the pairs of a run, and what the calling thread does while
    // they work (a window keeps answering).
    int threads = 1;
    std::function<void()> whileRunning;

    // Writes "Sub <procedure>" to the flow record file while it is on.
    void trace(std::string_view procedure);
    std::filesystem::path outputPath(const std::string& name) const { return workingDirectory / name; }
    // Closes every open file (the quit path).
    void closeAllFiles();
};

}  // namespace cpt
