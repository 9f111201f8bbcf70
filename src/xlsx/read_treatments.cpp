#include "xlsx/read_treatments.h"

#include <memory>

#include "xlsx/workbook_format.h"
#include "xlsx/xlsx_treatments.h"

namespace cpt {
namespace {

class ZipWorkbookFormat final : public xlsx::WorkbookFormat {
public:
    std::vector<Treatment> read(const std::filesystem::path& path, const ReadOptions& options) const override {
        return xlsx::readXlsxTreatments(path, options);
    }
    std::vector<Treatment> read(std::string contents, const std::string& fileName,
                                const ReadOptions& options) const override {
        return xlsx::readXlsxTreatments(contents, fileName, options);
    }
};

}  // namespace

const TreatmentFormats& treatmentFormats() {
    static const TreatmentFormats formats = textTreatmentFormats().with(std::make_shared<ZipWorkbookFormat>());
    return formats;
}

std::vector<Treatment> readTreatments(const std::filesystem::path& path, const ReadOptions& options) {
    return treatmentFormats().read(path, options);
}

std::vector<Treatment> readTreatments(std::string contents, const std::string& fileName, const ReadOptions& options) {
    return treatmentFormats().read(std::move(contents), fileName, options);
}

}  // namespace cpt
