#include "study_files/zip_archive.h"

#include <zip.h>

#include <memory>

#include "core/common/user_error.h"

namespace cpt {
namespace {

struct SourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};

[[noreturn]] void fail(const std::string& what, zip_error_t* error) {
    const std::string reason = zip_error_strerror(error);
    zip_error_fini(error);
    throw UserError("The " + what + " could not be put together: " + reason + ".");
}

}  // namespace

std::string zipArchive(std::span<const ZipEntry> entries, std::time_t modified, const std::string& what) {
    zip_error_t error;
    zip_error_init(&error);
    std::unique_ptr<zip_source_t, SourceFree> buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer) fail(what, &error);
    // The archive frees its source when it closes; the bytes are read after.
    zip_source_keep(buffer.get());
    zip_t* archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        zip_source_free(buffer.get());  // the reference the archive did not take
        fail(what, &error);
    }
    for (const ZipEntry& entry : entries) {
        zip_source_t* source = zip_source_buffer(archive, entry.bytes.data(), entry.bytes.size(), 0);
        const zip_int64_t index =
            source == nullptr ? -1 : zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0 && source != nullptr) zip_source_free(source);  // the archive took it only when added
        if (index < 0 || zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), modified, 0) < 0) {
            zip_error_set(&error, zip_error_code_zip(zip_get_error(archive)), zip_error_code_system(zip_get_error(archive)));
            zip_discard(archive);
            fail(what, &error);
        }
    }
    if (zip_close(archive) < 0) {
        zip_error_set(&error, zip_error_code_zip(zip_get_error(archive)), zip_error_code_system(zip_get_error(archive)));
        zip_discard(archive);
        fail(what, &error);
    }
    zip_stat_t stat;
    if (zip_source_stat(buffer.get(), &stat) < 0 || zip_source_open(buffer.get()) < 0) {
        zip_error_set(&error, zip_error_code_zip(zip_source_error(buffer.get())), 0);
        fail(what, &error);
    }
    std::string bytes(static_cast<std::size_t>(stat.size), '\0');
    const zip_int64_t read = zip_source_read(buffer.get(), bytes.data(), stat.size);
    zip_source_close(buffer.get());
    if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size) {
        zip_error_set(&error, ZIP_ER_READ, 0);
        fail(what, &error);
    }
    zip_error_fini(&error);
    return bytes;
}

}  // namespace cpt
