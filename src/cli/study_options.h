#pragma once
// cpt study's options of the table's rows and of the figure: `--rows`,
// `--label`, and `--figures` (the study figure as SVG, PNG and PDF beside
// the table's files, in the same set).
#include <string>

#include "batch/study_batch.h"

namespace CLI {
class App;
}

namespace cpt::cli {

struct StudyFigureOptions {
    bool figures = false;
    std::string style = "bars";  // or "points"
};

void addStudyTableOptions(CLI::App& command, batch::StudyBatchOptions& study, StudyFigureOptions& figures);

// The table's files, and with --figures study-figure.svg, .png and .pdf
// under the same number; a failure leaves none of them.
batch::StudyTableWriter studyFilesWriter(const StudyFigureOptions& options);

}  // namespace cpt::cli
