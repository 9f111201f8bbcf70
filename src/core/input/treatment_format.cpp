#include "core/input/treatment_format.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "core/common/user_error.h"

namespace cpt {
namespace {

// What a file is that no format may take, told by its first bytes.
enum class FileKind {
    MaybeText,
    Empty,
    Utf32,
    Utf16WithoutMark,
    NulBytes,
    Binary,
    Pdf,
    Png,
    Jpeg,
    Gif,
    OpenDocumentSpreadsheet,
    Office97,
    XlsxArchive,  // a zip with the parts of a workbook
    Zip,
};

bool isZip(std::string_view start) {
    return start.starts_with("PK\x03\x04") || start.starts_with("PK\x05\x06") || start.starts_with("PK\x07\x08");
}

// Of every four bytes, those at the places given are zero (and not all four).
bool everyFourthPattern(std::string_view start, bool littleEndian) {
    if (start.size() < 4) return false;
    for (std::size_t at = 0; at + 4 <= start.size(); at += 4) {
        const std::string_view quad = start.substr(at, 4);
        const bool high = littleEndian ? quad[2] == '\0' && quad[3] == '\0' : quad[0] == '\0' && quad[1] == '\0';
        if (!high || quad == std::string_view("\0\0\0\0", 4)) return false;
    }
    return true;
}

bool everyOtherZero(std::string_view start, std::size_t first) {
    if (start.size() < 2) return false;
    for (std::size_t at = first; at < start.size(); at += 2) {
        if (start[at] != '\0') return false;
    }
    return true;
}

FileKind kindOf(std::string_view start) {
    using namespace std::string_view_literals;
    if (start.starts_with("\xFF\xFE\0\0"sv) || start.starts_with("\0\0\xFE\xFF"sv)) return FileKind::Utf32;
    if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) return FileKind::MaybeText;
    if (start.starts_with("\xEF\xBB\xBF")) start.remove_prefix(3);
    if (start.empty()) return FileKind::Empty;
    if (start.starts_with("%PDF-")) return FileKind::Pdf;
    if (start.starts_with("\x89PNG\r\n\x1A\n")) return FileKind::Png;
    if (start.starts_with("\xFF\xD8\xFF")) return FileKind::Jpeg;
    if (start.starts_with("GIF87a") || start.starts_with("GIF89a")) return FileKind::Gif;
    if (start.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) return FileKind::Office97;
    if (isZip(start)) {
        // An OpenDocument file stores its type first and uncompressed.
        if (start.find("application/vnd.oasis.opendocument.spreadsheet") != std::string_view::npos) {
            return FileKind::OpenDocumentSpreadsheet;
        }
        if (start.find("xl/workbook.xml") != std::string_view::npos ||
            start.find("xl/worksheets/") != std::string_view::npos) {
            return FileKind::XlsxArchive;
        }
        return FileKind::Zip;
    }
    const std::size_t firstNul = start.find('\0');
    if (firstNul == std::string_view::npos) return FileKind::MaybeText;
    if (start.find_first_not_of('\0') == std::string_view::npos) return FileKind::NulBytes;
    if (everyFourthPattern(start, true) || everyFourthPattern(start, false)) return FileKind::Utf32;
    if (everyOtherZero(start, 1) || everyOtherZero(start, 0)) return FileKind::Utf16WithoutMark;
    return FileKind::Binary;
}

// The sentence after `The file "x" `.
std::string refusalOf(FileKind kind, const std::string& formats) {
    const std::string takes = ": an input file is " + formats + ".";
    switch (kind) {
        case FileKind::Empty: return "is empty.";
        case FileKind::Utf32: return "is UTF-32 text: save it as UTF-8 or UTF-16.";
        case FileKind::Utf16WithoutMark:
            return "is UTF-16 text without its byte-order mark: save it as UTF-8, or as UTF-16 with the mark.";
        case FileKind::NulBytes: return "is a binary file of NUL bytes, no text" + takes;
        case FileKind::Binary: return "is a binary file, no text" + takes;
        case FileKind::Pdf: return "is a PDF document" + takes;
        case FileKind::Png: return "is a PNG image" + takes;
        case FileKind::Jpeg: return "is a JPEG image" + takes;
        case FileKind::Gif: return "is a GIF image" + takes;
        case FileKind::OpenDocumentSpreadsheet: return "is an OpenDocument spreadsheet: save it as .xlsx or .csv.";
        case FileKind::Office97:
            return "is an Excel 97-2003 workbook (.xls) or another Office 97-2003 file: save it as .xlsx or .csv.";
        case FileKind::XlsxArchive: return "is an .xlsx workbook by its contents: give its name the ending .xlsx.";
        case FileKind::Zip: return "is a zip archive that is no .xlsx workbook" + takes;
        case FileKind::MaybeText: break;
    }
    throw std::invalid_argument("refusalOf: a file that may be text");
}

std::string startOfFile(const std::filesystem::path& path) {
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    const std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw UserError("The file \"" + path.string() + "\" cannot be opened: " + std::strerror(errno) + ".");
    }
    std::string start(TreatmentFormats::StartSize, '\0');
    std::size_t got = 0;
    while (got < start.size()) {
        const std::size_t more = std::fread(start.data() + got, 1, start.size() - got, file.get());
        if (more == 0) {
            if (std::ferror(file.get())) {
                throw UserError("The file \"" + path.string() + "\" cannot be read: " + std::strerror(errno) + ".");
            }
            break;
        }
        got += more;
    }
    start.resize(got);
    return start;
}

}  // namespace

TreatmentFormats::TreatmentFormats(std::vector<std::shared_ptr<const TreatmentFormat>> formats)
    : formats_(std::move(formats)) {}

TreatmentFormats TreatmentFormats::with(std::shared_ptr<const TreatmentFormat> format) const {
    std::vector<std::shared_ptr<const TreatmentFormat>> formats = formats_;
    formats.push_back(std::move(format));
    return TreatmentFormats(std::move(formats));
}

const TreatmentFormat* TreatmentFormats::bestFit(std::string_view fileName, std::string_view start) const {
    const TreatmentFormat* best = nullptr;
    FormatFit bestFit = FormatFit::No;
    for (const auto& format : formats_) {
        const FormatFit fit = format->fit(fileName, start);
        if (fit > bestFit) {
            best = format.get();
            bestFit = fit;
        }
    }
    return best;
}

const TreatmentFormat& TreatmentFormats::formatOf(const std::string& fileName, std::string_view start) const {
    const TreatmentFormat* best = bestFit(fileName, start);
    const FileKind kind = kindOf(start);
    // A text format words an empty file itself (what it lacks).
    const bool forItsReader =
        best != nullptr && (best->readsArchives() ? kind == FileKind::Zip || kind == FileKind::XlsxArchive
                                                  : kind == FileKind::Empty);
    if (kind != FileKind::MaybeText && !forItsReader) {
        throw UserError("The file \"" + fileName + "\" " + refusalOf(kind, namesInProse()));
    }
    if (best == nullptr) throw UserError("The file \"" + fileName + "\" is not " + namesInProse() + ".");
    return *best;
}

std::vector<Treatment> TreatmentFormats::read(const std::filesystem::path& path, const ReadOptions& options) const {
    return formatOf(path.string(), startOfFile(path)).read(path, options);
}

std::vector<Treatment> TreatmentFormats::read(std::string contents, const std::string& fileName,
                                              const ReadOptions& options) const {
    const TreatmentFormat& format = formatOf(fileName, std::string_view(contents).substr(0, StartSize));
    return format.read(std::move(contents), fileName, options);
}

std::vector<std::string> TreatmentFormats::patterns() const {
    std::vector<std::string> all;
    for (const auto& format : formats_) {
        for (std::string& pattern : format->patterns()) all.push_back(std::move(pattern));
    }
    return all;
}

std::string TreatmentFormats::namesInProse() const {
    std::string names;
    for (std::size_t k = 0; k < formats_.size(); ++k) {
        if (k > 0) names += k + 1 == formats_.size() ? " or " : ", ";
        names += formats_[k]->name();
    }
    return names;
}

}  // namespace cpt
