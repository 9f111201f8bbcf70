#include "batch/input_files.h"

#include "batch/run_setup.h"
#include "core/common/field_reader.h"
#include "core/input/described_treatment.h"

namespace cpt::batch {

std::vector<Treatment> readInputFile(const std::string& path, Transformation transformation) {
    const std::string absolutePath = absolute(path);
    FieldReader reader = FieldReader::fromFile(absolutePath);
    std::vector<Treatment> treatments;
    treatments.push_back(readDescribedTreatment(reader, transformation));
    treatments.back().source = absolutePath;
    return treatments;
}

}  // namespace cpt::batch
