#include "xlsx/read_treatments.h"

#include "core/input/text_treatments.h"
#include "xlsx/xlsx_treatments.h"

namespace cpt {
namespace {

bool isWorkbookName(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".xlsx";
}

}  // namespace

std::vector<Treatment> readTreatments(const std::filesystem::path& path, const ReadOptions& options) {
    if (isWorkbookName(path)) return xlsx::readXlsxTreatments(path, options);
    return readTextTreatments(path, options);
}

std::vector<Treatment> readTreatments(std::string contents, const std::string& fileName, const ReadOptions& options) {
    if (isWorkbookName(fileName)) return xlsx::readXlsxTreatments(contents, fileName, options);
    return readTextTreatments(std::move(contents), fileName, options);
}

}  // namespace cpt
