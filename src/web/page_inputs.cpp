#include "web/page_inputs.h"

#include <algorithm>

#include "web/binding_common.h"
#include "web/memfs_files.h"
#include "xlsx/read_treatments.h"

namespace cpt::web {

using emscripten::val;

namespace {

bool given(const val& value) { return !value.isUndefined() && !value.isNull(); }

std::optional<std::string> nonEmptyText(const val& value) {
    if (!given(value)) return std::nullopt;
    std::string text = value.as<std::string>();
    return text.empty() ? std::nullopt : std::optional<std::string>(std::move(text));
}

PageFileChoices choicesOf(const val& file) {
    PageFileChoices choices;
    choices.sheet = nonEmptyText(file["sheet"]);
    choices.parameter = nonEmptyText(file["parameter"]);
    const val leftOut = file["leftOut"];
    if (given(leftOut)) {
        const int count = leftOut["length"].as<int>();
        for (int k = 0; k < count; ++k) choices.leftOut.insert(leftOut[k].as<std::string>());
    }
    return choices;
}

}  // namespace

std::shared_ptr<PageInputs> writePageInputs(const val& files, const std::filesystem::path& folder) {
    auto inputs = std::make_shared<PageInputs>();
    const int count = files["length"].as<int>();
    for (int k = 0; k < count; ++k) {
        const std::filesystem::path own = folder / std::to_string(k + 1);
        inputs->folders.push_back(own.string());
        std::filesystem::create_directories(own);
        const std::filesystem::path path = own / plainFileName(files[k]["name"].as<std::string>());
        writeBytes(path, files[k]["bytes"]);
        inputs->paths.push_back(path.string());
        inputs->choices[path.string()] = choicesOf(files[k]);
    }
    return inputs;
}

batch::TreatmentReader pageReader(std::shared_ptr<const PageInputs> inputs) {
    // The inputs stay alive as long as the reader: their folders are the run's.
    return [inputs](const std::filesystem::path& path, const ReadOptions& asked) {
        ReadOptions options = asked;
        options.wording = pageReadWording();
        const auto found = inputs->choices.find(path.string());
        if (found == inputs->choices.end()) return readTreatments(path, options);
        const PageFileChoices& choices = found->second;
        if (choices.sheet) options.sheet = choices.sheet;
        if (choices.parameter) options.parameter = choices.parameter;
        // A treatment left out is never asked for what it lacks.
        for (const std::string& name : choices.leftOut) {
            options.sampleSizes.try_emplace(name, 1);
            options.estimates.try_emplace(name, 0.0);
        }
        std::vector<Treatment> treatments = readTreatments(path, options);
        std::erase_if(treatments, [&](const Treatment& treatment) { return choices.leftOut.contains(treatment.name); });
        return treatments;
    };
}

}  // namespace cpt::web
