#include "web/page_inputs.h"

#include <stdexcept>

#include "core/input/treatment_format.h"
#include "web/memfs_files.h"
#include "xlsx/scanned_parts.h"
#include "xlsx/workbook_format.h"

namespace cpt::web {
namespace {

using emscripten::val;

bool given(const val& value) { return !value.isUndefined() && !value.isNull(); }

UnpackedWorkbook unpackedOf(const val& file) {
    UnpackedWorkbook workbook;
    const val parts = file["parts"];
    if (given(parts)) {
        const int count = parts["length"].as<int>();
        for (int k = 0; k < count; ++k) {
            workbook.parts.emplace_back(parts[k]["name"].as<std::string>(), bytesText(parts[k]["bytes"]));
        }
    }
    workbook.noArchive = given(file["noArchive"]) && file["noArchive"].as<bool>();
    if (given(file["damagedPart"])) {
        workbook.damagedPart = file["damagedPart"].as<std::string>();
        workbook.reason = given(file["reason"]) ? file["reason"].as<std::string>() : std::string();
    }
    return workbook;
}

std::vector<Treatment> readUnpacked(const UnpackedWorkbook& workbook, const std::string& fileName,
                                    const ReadOptions& options) {
    if (workbook.noArchive) xlsx::refuseNoArchive(fileName);
    if (!workbook.damagedPart.empty()) xlsx::refuseUnpackedPart(fileName, workbook.damagedPart, workbook.reason);
    xlsx::ScannedParts parts(fileName);
    for (const auto& [name, text] : workbook.parts) parts.add(name, text);
    return xlsx::readWorkbook(parts, fileName, options);
}

// The workbook of the list, read from the parts the worker unpacked.
class PageWorkbookFormat final : public xlsx::WorkbookFormat {
public:
    explicit PageWorkbookFormat(std::shared_ptr<const PageInputs> inputs) : inputs_(std::move(inputs)) {}
    std::vector<Treatment> read(const std::filesystem::path& path, const ReadOptions& options) const override {
        const auto workbook = inputs_->workbooks.find(path.string());
        if (workbook == inputs_->workbooks.end()) {
            throw std::invalid_argument("PageWorkbookFormat: no parts unpacked for " + path.string());
        }
        return readUnpacked(workbook->second, path.string(), options);
    }
    std::vector<Treatment> read(std::string, const std::string& fileName, const ReadOptions& options) const override {
        return read(std::filesystem::path(fileName), options);
    }

private:
    std::shared_ptr<const PageInputs> inputs_;
};

}  // namespace

std::shared_ptr<PageInputs> writePageInputs(const val& files, const std::filesystem::path& folder) {
    auto inputs = std::make_shared<PageInputs>();
    const int count = files["length"].as<int>();
    for (int k = 0; k < count; ++k) {
        const std::filesystem::path own = folder / std::to_string(k + 1);
        inputs->folders.push_back(own.string());
        std::filesystem::create_directories(own);
        const std::filesystem::path path = own / plainFileName(files[k]["name"].as<std::string>());
        // The bytes go in for a workbook too, so that the file is there as for cpt.
        writeBytes(path, files[k]["bytes"]);
        if (xlsx::isWorkbookName(path)) inputs->workbooks.emplace(path.string(), unpackedOf(files[k]));
        inputs->paths.push_back(path.string());
    }
    return inputs;
}

batch::TreatmentReader pageReader(std::shared_ptr<const PageInputs> inputs) {
    // The formats cpt reads, the same file refused for the same words.
    const TreatmentFormats formats = textTreatmentFormats().with(std::make_shared<PageWorkbookFormat>(inputs));
    return [formats](const std::filesystem::path& path, const ReadOptions& options) {
        return formats.read(path, options);
    };
}

}  // namespace cpt::web
