#pragma once
// The package's reading of input files, through the readers cpt uses:
// described files (UTF-8, UTF-16, semicolons with decimal commas), wide and
// long text tables and .xlsx workbooks.
#include <string>
#include <vector>

#include "core/analysis/treatment.h"
#include "core/input/read_options.h"

namespace cptr {

// A treatment with the file it was read from (its source may describe a
// column or a sheet instead), so that it can be read again.
struct ReadTreatment {
    cpt::Treatment treatment;
    std::string file;  // absolute, as cpt makes it
};

// Every file's treatments one after another, in the order given. A name in
// the options' sample sizes or estimates must name a treatment read, as cpt
// demands. Throws UserError naming the file and the place, in cpt's words.
std::vector<ReadTreatment> readFiles(const std::vector<std::string>& paths, const cpt::ReadOptions& options);

struct ReadGroup {
    std::string parameter;
    std::vector<ReadTreatment> treatments;
};

// The files' treatments of every parameter, grouped as cpt study groups them
// (and refused where it refuses them).
std::vector<ReadGroup> readParameterGroups(const std::vector<std::string>& paths);

}  // namespace cptr
