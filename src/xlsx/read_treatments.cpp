#include "xlsx/read_treatments.h"

#include "core/input/text_treatments.h"
#include "xlsx/workbook_reading.h"
#include "xlsx/xlsx_treatments.h"

namespace cpt {

using xlsx::isWorkbookName;

std::vector<Treatment> readTreatments(const std::filesystem::path& path, const ReadOptions& options) {
    if (isWorkbookName(path)) return xlsx::readXlsxTreatments(path, options);
    return readTextTreatments(path, options);
}

std::vector<Treatment> readTreatments(std::string contents, const std::string& fileName, const ReadOptions& options) {
    if (isWorkbookName(fileName)) return xlsx::readXlsxTreatments(contents, fileName, options);
    return readTextTreatments(std::move(contents), fileName, options);
}

}  // namespace cpt
