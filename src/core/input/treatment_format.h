#pragma once
// The forms an input file of treatments may have, each a format that says
// whether it takes a file (by its name and first bytes) and reads it, and the
// one list of them every front end asks: cpt, the window's file dialogues,
// the page and the R package. The core's list holds the text forms (a
// described bootstrap result file, a text table); src/xlsx adds the workbook.
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/treatment.h"
#include "core/input/read_options.h"

namespace cpt {

// How surely a format takes a file. The surest wins; of equals, the one
// listed first.
enum class FormatFit {
    No,
    Fallback,  // read as this when no other takes it
    Yes,       // by its name or its first line
    Only,      // the name is this format's alone, whatever the bytes
};

class TreatmentFormat {
public:
    virtual ~TreatmentFormat() = default;

    // As messages name it: "a bootstrap result file".
    virtual std::string_view name() const = 0;
    // The file dialogue's patterns: "*.csv", "*.tsv".
    virtual std::vector<std::string> patterns() const = 0;
    // `start` holds the first bytes of the file as they are stored (up to
    // TreatmentFormats::StartSize), the whole file when it is shorter.
    virtual FormatFit fit(std::string_view fileName, std::string_view start) const = 0;
    // A format whose files are zip archives: its reader, not the list,
    // refuses a damaged one.
    virtual bool readsArchives() const { return false; }

    // Throw UserError naming the file and the place of the first fault.
    virtual std::vector<Treatment> read(const std::filesystem::path& path, const ReadOptions& options) const = 0;
    virtual std::vector<Treatment> read(std::string contents, const std::string& fileName,
                                        const ReadOptions& options) const = 0;
};

class TreatmentFormats {
public:
    static constexpr std::size_t StartSize = std::size_t{64} << 10;

    TreatmentFormats() = default;
    explicit TreatmentFormats(std::vector<std::shared_ptr<const TreatmentFormat>> formats);

    // A list with the format added at its end.
    TreatmentFormats with(std::shared_ptr<const TreatmentFormat> format) const;
    std::span<const std::shared_ptr<const TreatmentFormat>> formats() const { return formats_; }

    // The format that fits the file best, none when none takes it; the
    // bytes are not looked at for what else the file may be.
    const TreatmentFormat* bestFit(std::string_view fileName, std::string_view start) const;
    // The format that reads the file. Throws UserError naming the file and
    // what it is when it is of none of them (an empty file, a PDF, an image,
    // an OpenDocument spreadsheet, ...).
    const TreatmentFormat& formatOf(const std::string& fileName, std::string_view start) const;

    // Throws UserError naming the file and the place of the first fault.
    std::vector<Treatment> read(const std::filesystem::path& path, const ReadOptions& options) const;
    std::vector<Treatment> read(std::string contents, const std::string& fileName, const ReadOptions& options) const;

    // Every format's patterns, in the list's order: "*.txt", "*.csv", ...
    std::vector<std::string> patterns() const;
    // "a bootstrap result file, a text table (.csv, .tsv) or an .xlsx workbook"
    std::string namesInProse() const;

private:
    std::vector<std::shared_ptr<const TreatmentFormat>> formats_;
};

// The core's formats: the described bootstrap result file and the text
// table (see core/input/text_treatments.h).
const TreatmentFormats& textTreatmentFormats();

}  // namespace cpt
