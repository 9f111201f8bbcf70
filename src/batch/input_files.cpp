#include "batch/input_files.h"

#include "batch/run_setup.h"
#include "core/input/text_treatments.h"

namespace cpt::batch {

std::vector<Treatment> readInputFile(const std::string& path, const ReadOptions& options,
                                     const TreatmentReader& reader) {
    const std::filesystem::path absolutePath = absolute(path);
    return reader ? reader(absolutePath, options) : readTextTreatments(absolutePath, options);
}

}  // namespace cpt::batch
