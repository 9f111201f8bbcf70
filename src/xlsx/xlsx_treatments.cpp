#include "xlsx/xlsx_treatments.h"

#include <zip.h>

#include <memory>

#include "core/common/user_error.h"
#include "xlsx/workbook_reading.h"
#include "xlsx/zip_parts.h"

namespace cpt::xlsx {
namespace {

struct ArchiveClose {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveClose>;

[[noreturn]] void refuseArchive(const std::string& fileName, zip_error_t& error) {
    const int code = zip_error_code_zip(&error);
    if (code == ZIP_ER_OPEN || code == ZIP_ER_READ || code == ZIP_ER_NOENT) {
        std::string reason = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw UserError("The file \"" + fileName + "\" cannot be opened: " + reason + ".");
    }
    zip_error_fini(&error);
    refuseNoArchive(fileName);
}

}  // namespace

void withXlsxParts(const std::filesystem::path& path, const PartsReader& read) {
    const std::string fileName = path.string();
    int code = 0;
    Archive archive(zip_open(path.c_str(), ZIP_RDONLY, &code));
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        refuseArchive(fileName, error);
    }
    ZipParts parts(archive.get(), fileName);
    read(parts, fileName);
}

void withXlsxParts(std::string_view bytes, const std::string& fileName, const PartsReader& read) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source) refuseArchive(fileName, error);
    Archive archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    if (!archive) {
        zip_source_free(source);
        refuseArchive(fileName, error);
    }
    zip_error_fini(&error);
    ZipParts parts(archive.get(), fileName);
    read(parts, fileName);
}

std::vector<Treatment> readXlsxTreatments(const std::filesystem::path& path, const ReadOptions& options) {
    std::vector<Treatment> treatments;
    withXlsxParts(path, [&](WorkbookParts& parts, const std::string& fileName) {
        treatments = readWorkbook(parts, fileName, options);
    });
    return treatments;
}

std::vector<Treatment> readXlsxTreatments(std::string_view bytes, const std::string& fileName,
                                          const ReadOptions& options) {
    std::vector<Treatment> treatments;
    withXlsxParts(bytes, fileName, [&](WorkbookParts& parts, const std::string& name) {
        treatments = readWorkbook(parts, name, options);
    });
    return treatments;
}

}  // namespace cpt::xlsx
