// Reading through cpt's readers, as the R package's treatment_reading.cpp.
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>

#include "core/common/field_reader.h"
#include "core/common/number_format.h"
#include "core/common/user_error.h"
#include "core/input/treatment_file.h"
#include "core/study/study_grouping.h"
#include "glue.h"
#include "xlsx/read_treatments.h"

namespace cptpy {
namespace {

std::string absoluteOf(const std::string& path) { return std::filesystem::absolute(path).lexically_normal().string(); }

std::vector<std::pair<cpt::Treatment, std::string>> readEach(const std::vector<std::string>& paths,
                                                             const cpt::ReadOptions& options) {
    std::vector<std::pair<cpt::Treatment, std::string>> read;
    for (const std::string& path : paths) {
        const std::string absolute = absoluteOf(path);
        for (cpt::Treatment& treatment : cpt::readTreatments(absolute, options)) {
            read.emplace_back(std::move(treatment), absolute);
        }
    }
    return read;
}

}  // namespace

cpt::Transformation transformationNamed(const std::string& name) {
    if (name == "none") return cpt::Transformation::None;
    if (name == "arcsine") return cpt::Transformation::Arcsine;
    if (name == "logit") return cpt::Transformation::Logit;
    throw cpt::UserError("The transformation is \"none\", \"arcsine\" or \"logit\", not \"" + name + "\".");
}

std::string transformationName(cpt::Transformation transformation) {
    switch (transformation) {
        case cpt::Transformation::Arcsine: return "arcsine";
        case cpt::Transformation::Logit: return "logit";
        default: return "none";
    }
}

std::vector<TreatmentPointer> readFiles(const ReadRequest& request) {
    cpt::ReadOptions options;
    if (request.parameter) options.parameter.emplace(*request.parameter);
    if (request.sheet) options.sheet.emplace(*request.sheet);
    options.sampleSize = request.sampleSize;
    options.sampleSizes = request.sampleSizes;
    options.estimates = request.estimates;
    options.transformation = request.transformation;
    options.everyParameter = request.everyParameter;
    auto kept = std::make_shared<ReadRequest>(request);
    for (std::string& path : kept->paths) path = absoluteOf(path);
    const std::shared_ptr<const ReadRequest> readFrom = std::move(kept);
    std::vector<TreatmentPointer> read;
    for (auto& [treatment, file] : readEach(request.paths, options)) {
        read.push_back(std::make_shared<HeldTreatment>(HeldTreatment{std::move(treatment), std::move(file), readFrom}));
    }
    std::vector<std::string> names;
    for (const TreatmentPointer& held : read) names.push_back(held->treatment.name);
    cpt::requireNamedTreatments(names, options);
    return read;
}

std::vector<ParameterGroup> readParameterGroups(const std::vector<std::string>& paths) {
    cpt::ReadOptions options;
    options.everyParameter = true;
    auto request = std::make_shared<ReadRequest>();
    for (const std::string& path : paths) request->paths.push_back(absoluteOf(path));
    request->everyParameter = true;
    // The grouping refuses a treatment given twice in a parameter, so code
    // and name find each one's file.
    std::map<std::pair<std::string, std::string>, std::string> files;
    std::vector<cpt::Treatment> treatments;
    for (auto& [treatment, file] : readEach(paths, options)) {
        files.emplace(std::make_pair(treatment.code, treatment.name), file);
        treatments.push_back(std::move(treatment));
    }
    std::vector<ParameterGroup> groups;
    for (cpt::StudyParameterGroup& group : cpt::groupByParameter(std::move(treatments))) {
        ParameterGroup& added = groups.emplace_back();
        added.parameter = group.parameter;
        for (cpt::Treatment& treatment : group.treatments) {
            std::string file = files.at({treatment.code, treatment.name});
            added.treatments.push_back(
                std::make_shared<HeldTreatment>(HeldTreatment{std::move(treatment), std::move(file), request}));
        }
    }
    return groups;
}

std::vector<TreatmentPointer> readAgain(const std::vector<TreatmentPointer>& treatments,
                                        cpt::Transformation transformation) {
    for (const TreatmentPointer& held : treatments) {
        if (!held->readFrom) return treatments;
    }
    // A table holds several treatments, a long one several parameters.
    using Key = std::tuple<std::string, std::string, std::string>;
    std::map<const ReadRequest*, std::map<Key, TreatmentPointer>> again;
    std::vector<TreatmentPointer> found;
    for (const TreatmentPointer& held : treatments) {
        auto [place, first] = again.try_emplace(held->readFrom.get());
        if (first) {
            ReadRequest request = *held->readFrom;
            request.transformation = transformation;
            for (TreatmentPointer& read : readFiles(request)) {
                place->second.emplace(Key{read->file, read->treatment.code, read->treatment.name}, std::move(read));
            }
        }
        const auto match = place->second.find(Key{held->file, held->treatment.code, held->treatment.name});
        if (match == place->second.end()) {
            throw cpt::UserError("The treatment \"" + held->treatment.name + "\" is no longer in " + held->file +
                                 "; read the files again with read_bootstrap().");
        }
        found.push_back(match->second);
    }
    return found;
}

TreatmentPointer treatmentOf(std::size_t place, std::string name, std::string code, std::int32_t sampleSize,
                             double estimate, const double* values, std::size_t count) {
    HeldTreatment held;
    cpt::Treatment& treatment = held.treatment;
    treatment.name = std::move(name);
    treatment.code = std::move(code);
    treatment.sampleSize = sampleSize;
    treatment.estimate = estimate;
    treatment.values.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        const double x = values[k];
        // The same bound as a bootstrap file's: the exact sums rely on it.
        if (!std::isfinite(x) || std::fabs(x) > cpt::MaxValueMagnitude) {
            const std::string shown = std::isnan(x) ? "NaN" : cpt::textNumber(x);
            throw cpt::UserError("Treatment " + std::to_string(place) + " (\"" + treatment.name +
                                 "\"): bootstrap value " + std::to_string(k + 1) + " is " + shown +
                                 ", but a bootstrap value must lie between -1E+150 and 1E+150.");
        }
        treatment.values.push_back(x);
    }
    return std::make_shared<HeldTreatment>(std::move(held));
}

}  // namespace cptpy
