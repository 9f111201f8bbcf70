#include "core/input/text_treatments.h"

#include <algorithm>
#include <cmath>

#include "core/common/byte_source.h"
#include "core/common/decimal_parse.h"
#include "core/common/field_reader.h"
#include "core/common/user_error.h"
#include "core/input/described_treatment.h"
#include "core/input/table_treatments.h"
#include "core/input/text_table.h"
#include "core/input/treatment_format.h"

namespace cpt {
namespace {

// The fields of one line, blanks and quotes taken off.
std::vector<std::string> splitLine(std::string_view line, char separator) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == '\n' || c == '\r')) {
            break;
        } else if (!quoted && c == separator) {
            fields.emplace_back();
        } else {
            fields.back().push_back(c);
        }
    }
    for (std::string& field : fields) {
        const auto first = field.find_first_not_of(" \t");
        const auto last = field.find_last_not_of(" \t");
        field = first == std::string::npos ? std::string() : field.substr(first, last - first + 1);
    }
    return fields;
}

std::optional<double> numberIn(std::string field, char decimalMark) {
    if (decimalMark == ',') std::replace(field.begin(), field.end(), ',', '.');
    std::optional<double> value = parseDecimalExactly(field);
    if (value && !std::isfinite(*value)) return std::nullopt;
    return value;
}

bool isWholeNumber(const std::string& field, char decimalMark) {
    const std::optional<double> value = numberIn(field, decimalMark);
    return value && *value == std::floor(*value);
}

bool isDescribedHeading(std::string_view line) {
    const char separator = describedSeparator(line);
    const char decimalMark = separator == ';' ? ',' : '.';
    const std::vector<std::string> fields = splitLine(line, separator);
    return fields.size() >= 8 && isWholeNumber(fields[2], decimalMark) && isWholeNumber(fields[4], decimalMark) &&
           isWholeNumber(fields[6], decimalMark) && numberIn(fields[7], decimalMark).has_value();
}

bool isHeaderOfNames(std::string_view line) {
    const std::vector<std::string> fields = splitLine(line, tableSeparator(line));
    if (fields.size() < 2) return false;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        // The first may be empty: the header of R's row names.
        if (fields[i].empty() && i > 0) return false;
        if (numberIn(fields[i], '.') || numberIn(fields[i], ',')) return false;
    }
    return true;
}

bool hasTableExtension(std::string_view fileName) {
    std::string extension = std::filesystem::path(fileName).extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".csv" || extension == ".tsv";
}

std::vector<Treatment> readTable(ByteSource source, const std::string& fileName, const ReadOptions& options) {
    TextTableRows rows(std::move(source));
    TableOrigin origin;
    origin.displayName = fileName;
    origin.defaultCode = std::filesystem::path(fileName).stem().string();
    origin.decimalMark = rows.separator() == ',' ? '.' : ',';
    TableTreatments table(std::move(origin), options);
    while (rows.next()) table.addRow(rows.rowNumber(), rows.cells());
    return table.finish();
}

}  // namespace

std::vector<Treatment> readTextTreatments(const std::filesystem::path& path, const ReadOptions& options) {
    return textTreatmentFormats().read(path, options);
}

std::vector<Treatment> readTextTreatments(std::string contents, const std::string& fileName,
                                          const ReadOptions& options) {
    return textTreatmentFormats().read(std::move(contents), fileName, options);
}

namespace {

class DescribedFormat final : public TreatmentFormat {
public:
    std::string_view name() const override { return "a bootstrap result file"; }
    std::vector<std::string> patterns() const override { return {"*.txt"}; }
    FormatFit fit(std::string_view, std::string_view start) const override {
        // Whatever the name: a described heading is never a table's header.
        return isDescribedHeading(asUtf8(std::string(start))) ? FormatFit::Yes : FormatFit::Fallback;
    }
    std::vector<Treatment> read(const std::filesystem::path& path, const ReadOptions& options) const override {
        FieldReader reader = FieldReader::fromFile(path);
        return {readDescribedTreatment(reader, options.transformation)};
    }
    std::vector<Treatment> read(std::string contents, const std::string& fileName,
                                const ReadOptions& options) const override {
        FieldReader reader(std::move(contents), fileName);
        return {readDescribedTreatment(reader, options.transformation)};
    }
};

class TableFormat final : public TreatmentFormat {
public:
    std::string_view name() const override { return "a text table (.csv, .tsv)"; }
    std::vector<std::string> patterns() const override { return {"*.csv", "*.tsv"}; }
    FormatFit fit(std::string_view fileName, std::string_view start) const override {
        const bool table = hasTableExtension(fileName) || isHeaderOfNames(asUtf8(std::string(start)));
        return table ? FormatFit::Yes : FormatFit::No;
    }
    std::vector<Treatment> read(const std::filesystem::path& path, const ReadOptions& options) const override {
        return readTable(ByteSource::fromFile(path), path.string(), options);
    }
    std::vector<Treatment> read(std::string contents, const std::string& fileName,
                                const ReadOptions& options) const override {
        return readTable(ByteSource(std::move(contents), fileName), fileName, options);
    }
};

}  // namespace

TextForm textFormOf(std::string_view fileName, std::string_view firstLine) {
    const TreatmentFormat* format = textTreatmentFormats().bestFit(fileName, firstLine);
    return dynamic_cast<const TableFormat*>(format) != nullptr ? TextForm::Table : TextForm::Described;
}

const TreatmentFormats& textTreatmentFormats() {
    static const TreatmentFormats formats({std::make_shared<DescribedFormat>(), std::make_shared<TableFormat>()});
    return formats;
}

}  // namespace cpt
