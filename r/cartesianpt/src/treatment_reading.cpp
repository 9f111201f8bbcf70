#include "treatment_reading.h"

#include <filesystem>

#include "core/common/field_reader.h"
#include "core/input/described_treatment.h"

namespace cptr {

std::vector<cpt::Treatment> readTreatments(const std::string& path, const ReadOptions& options) {
    const std::string absolute = std::filesystem::absolute(path).lexically_normal().string();
    cpt::FieldReader reader = cpt::FieldReader::fromFile(absolute);
    std::vector<cpt::Treatment> treatments;
    treatments.push_back(cpt::readDescribedTreatment(reader, options.transformation));
    treatments.back().source = absolute;
    return treatments;
}

}  // namespace cptr
