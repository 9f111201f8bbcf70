#pragma once
// cpt's commands: a batch run, then the written files' paths one a line,
// or the JSON document, on standard output; complaints on standard error.
#include "batch/batch_options.h"
#include "cli/study_options.h"

namespace cpt::cli {

int runCartesian(batch::CartesianOptions options);
int runStudy(const batch::StudyBatchOptions& options, const StudyFigureOptions& figures = {});
int runSortCount(const batch::SortCountOptions& options);

}  // namespace cpt::cli
