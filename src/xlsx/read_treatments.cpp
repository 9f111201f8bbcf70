#include "xlsx/read_treatments.h"

#include <memory>

#include "xlsx/workbook_format.h"
#include "xlsx/workbook_reading.h"
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

namespace {

std::vector<life::TreatmentRecords> workbookRecords(xlsx::WorkbookParts& parts, const std::string& fileName,
                                                    const std::optional<std::string>& sheet) {
    std::optional<life::RecordTable> table;
    xlsx::readWorkbookRows(parts, fileName, sheet, ReadWording().sheet, [&](const std::string& name) -> TableRowSink& {
        TableOrigin origin;
        origin.displayName = fileName;
        origin.defaultCode = std::filesystem::path(fileName).stem().string();
        origin.sheet = name;
        return table.emplace(std::move(origin));
    });
    return table->finish();
}

}  // namespace

std::vector<life::TreatmentRecords> readRecords(const std::filesystem::path& path,
                                                const std::optional<std::string>& sheet) {
    if (!xlsx::isWorkbookName(path)) return life::readTextRecords(path);
    std::vector<life::TreatmentRecords> records;
    xlsx::withXlsxParts(path, [&](xlsx::WorkbookParts& parts, const std::string& fileName) {
        records = workbookRecords(parts, fileName, sheet);
    });
    return records;
}

std::vector<life::TreatmentRecords> readRecordsFromBytes(std::string contents, const std::string& fileName,
                                                         const std::optional<std::string>& sheet) {
    if (!xlsx::isWorkbookName(fileName)) return life::readTextRecords(std::move(contents), fileName);
    std::vector<life::TreatmentRecords> records;
    xlsx::withXlsxParts(contents, fileName, [&](xlsx::WorkbookParts& parts, const std::string& name) {
        records = workbookRecords(parts, name, sheet);
    });
    return records;
}

}  // namespace cpt
