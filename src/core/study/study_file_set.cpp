#include "core/study/study_file_set.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "core/common/field_reader.h"
#include "core/common/pending_file.h"
#include "core/common/user_error.h"
#include "core/report/report_file_name.h"
#include "core/study/study_text_formats.h"

namespace cpt {
namespace {

constexpr std::string_view StudyFileStem = "study-table";

}  // namespace

std::string_view studyFormatExtension(StudyFormat format) {
    for (const StudyFormatEntry& entry : StudyFormats) {
        if (entry.format == format) return entry.extension;
    }
    throw std::invalid_argument("studyFormatExtension: unknown format");
}

std::optional<StudyFormat> studyFormatOfExtension(std::string_view extension) {
    for (const StudyFormatEntry& entry : StudyFormats) {
        if (entry.extension == extension) return entry.format;
    }
    return std::nullopt;
}

std::string studyFormatWords(std::string_view last) {
    std::string words;
    for (std::size_t k = 0; k < std::size(StudyFormats); ++k) {
        if (k > 0) words += k + 1 == std::size(StudyFormats) ? last : std::string_view(", ");
        words += StudyFormats[k].extension;
    }
    return words;
}

std::string studyFileName(StudyFormat format, int number) {
    std::string name(StudyFileStem);
    if (number != 1) name += " (" + std::to_string(number) + ")";
    return name + "." + std::string(studyFormatExtension(format));
}

std::string studyOtherFileName(std::string_view name, int number) {
    const std::size_t dot = name.rfind('.');
    const std::string_view stem = dot == std::string_view::npos ? name : name.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot);
    std::string numbered(stem);
    if (number != 1) numbered += " (" + std::to_string(number) + ")";
    return numbered + std::string(extension);
}

namespace {
std::string fileNameOf(const StudyFileContent& file, int number) {
    return file.name.empty() ? studyFileName(file.format, number) : studyOtherFileName(file.name, number);
}
}  // namespace

std::string studyTableText(const StudyTable& table, StudyFormat format) {
    switch (format) {
        case StudyFormat::Csv: return studyTableCsv(table);
        case StudyFormat::Html: return studyTableHtml(table);
        case StudyFormat::Tex: return studyTableTex(table);
        case StudyFormat::Markdown: return studyTableMarkdown(table);
        case StudyFormat::Xlsx:
        case StudyFormat::Docx: break;
    }
    throw std::invalid_argument("studyTableText: the core does not write ." + std::string(studyFormatExtension(format)));
}

std::vector<std::filesystem::path> writeStudyFileSet(const std::filesystem::path& folder,
                                                     std::span<const StudyFileContent> files) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (fileNameOf(files[i], 1) == fileNameOf(files[j], 1)) {
                throw std::invalid_argument("writeStudyFileSet: " + fileNameOf(files[i], 1) + " given twice");
            }
        }
    }
    if (files.empty()) return {};
    for (int number = 1; number <= MaxNameNumber; ++number) {
        // Created with the names free at that moment, or discarded again.
        std::vector<std::unique_ptr<PendingFile>> pending;
        bool free = true;
        for (const StudyFileContent& file : files) {
            pending.push_back(std::make_unique<PendingFile>());
            if (!pending.back()->openNew(folder / fileNameOf(file, number))) {
                free = false;
                break;
            }
        }
        if (!free) continue;
        for (std::size_t i = 0; i < files.size(); ++i) pending[i]->file().write(files[i].bytes);
        for (auto& file : pending) file->file().close();
        std::vector<std::filesystem::path> paths;
        for (auto& file : pending) {
            paths.push_back(file->path());
            file->commit();
        }
        return paths;
    }
    throw UserError("No free names were found for the study table in \"" + folder.string() + "\": " +
                    fileNameOf(files.front(), 1) + " and " + std::to_string(MaxNameNumber - 1) +
                    " numbered names beside it exist already.");
}

std::vector<StudyFormat> studyFormatsNamed(std::span<const std::string> names) {
    std::vector<StudyFormat> formats;
    for (const std::string& name : names) {
        if (name == "all") {
            formats.insert(formats.end(), std::begin(AllStudyFormats), std::end(AllStudyFormats));
            continue;
        }
        const std::optional<StudyFormat> format = studyFormatOfExtension(name);
        if (!format) {
            throw UserError("The study table has no format \"" + quotedExcerpt(name) +
                            "\": give " +
                            studyFormatWords(", ") + " or all.");
        }
        formats.push_back(*format);
    }
    if (formats.empty()) throw UserError("No format was given for the study table.");
    return formats;
}

std::vector<std::filesystem::path> writeStudyFormats(const StudyTable& table, const std::filesystem::path& folder,
                                                     std::span<const StudyFormat> formats, const DateTime& created,
                                                     const StudyTableBytes& bytesOf) {
    std::vector<StudyFileContent> files;
    for (const StudyFormat format : formats) {
        const bool seen = std::any_of(files.begin(), files.end(), [&](const auto& file) { return file.format == format; });
        if (!seen) files.push_back({format, bytesOf(table, format, created)});
    }
    return writeStudyFileSet(folder, files);
}

}  // namespace cpt
