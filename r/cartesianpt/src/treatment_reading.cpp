#include "treatment_reading.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <utility>

#include "core/common/field_reader.h"
#include "core/common/user_error.h"
#include "core/study/study_grouping.h"
#include "xlsx/read_treatments.h"

namespace cptr {
std::vector<ReadTreatment> readFiles(const std::vector<std::string>& paths, const cpt::ReadOptions& options) {
    std::vector<ReadTreatment> read;
    for (const std::string& path : paths) {
        const std::string absolute = std::filesystem::absolute(path).lexically_normal().string();
        for (cpt::Treatment& treatment : cpt::readTreatments(absolute, options)) {
            read.push_back({std::move(treatment), absolute});
        }
    }
    std::vector<std::string> names;
    for (const ReadTreatment& r : read) names.push_back(r.treatment.name);
    cpt::requireNamedTreatments(names, options);
    return read;
}

std::vector<ReadGroup> readParameterGroups(const std::vector<std::string>& paths) {
    cpt::ReadOptions options;
    options.everyParameter = true;
    std::vector<ReadTreatment> read = readFiles(paths, options);
    // The grouping refuses a treatment given twice in a parameter, so code
    // and name find each one's file.
    std::map<std::pair<std::string, std::string>, std::string> files;
    std::vector<cpt::Treatment> treatments;
    for (ReadTreatment& r : read) {
        files.emplace(std::make_pair(r.treatment.code, r.treatment.name), r.file);
        treatments.push_back(std::move(r.treatment));
    }
    std::vector<ReadGroup> groups;
    for (cpt::StudyParameterGroup& group : cpt::groupByParameter(std::move(treatments))) {
        ReadGroup& added = groups.emplace_back();
        added.parameter = group.parameter;
        for (cpt::Treatment& treatment : group.treatments) {
            std::string file = files.at({treatment.code, treatment.name});
            added.treatments.push_back({std::move(treatment), std::move(file)});
        }
    }
    return groups;
}

}  // namespace cptr
