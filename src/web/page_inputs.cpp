#include "web/page_inputs.h"

#include "web/memfs_files.h"
#include "xlsx/read_treatments.h"

namespace cpt::web {

using emscripten::val;

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
    }
    return inputs;
}

batch::TreatmentReader pageReader(std::shared_ptr<const PageInputs> inputs) {
    // The inputs stay alive as long as the reader: their folders are the run's.
    return [inputs](const std::filesystem::path& path, const ReadOptions& options) {
        return readTreatments(path, options);
    };
}

}  // namespace cpt::web
