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

namespace cpt {
namespace {

constexpr std::size_t SniffSize = std::size_t{64} << 10;

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

std::string firstChunk(ByteSource& source) {
    std::string chunk(SniffSize, '\0');
    std::size_t got = 0;
    while (got + 4 <= chunk.size()) {
        const std::size_t more = source.read(chunk.data() + got, chunk.size() - got);
        if (more == 0) break;
        got += more;
    }
    chunk.resize(got);
    return chunk;
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

TextForm textFormOf(std::string_view fileName, std::string_view firstLine) {
    if (isDescribedHeading(firstLine)) return TextForm::Described;
    if (hasTableExtension(fileName) || isHeaderOfNames(firstLine)) return TextForm::Table;
    return TextForm::Described;
}

std::vector<Treatment> readTextTreatments(const std::filesystem::path& path, const ReadOptions& options) {
    const std::string fileName = path.string();
    std::string start;
    {
        ByteSource sniff = ByteSource::fromFile(path);
        start = firstChunk(sniff);
    }
    if (textFormOf(fileName, start) == TextForm::Table) return readTable(ByteSource::fromFile(path), fileName, options);
    FieldReader reader = FieldReader::fromFile(path);
    std::vector<Treatment> treatments;
    treatments.push_back(readDescribedTreatment(reader, options.transformation));
    return treatments;
}

std::vector<Treatment> readTextTreatments(std::string contents, const std::string& fileName,
                                          const ReadOptions& options) {
    const std::string start = asUtf8(contents.substr(0, SniffSize));
    if (textFormOf(fileName, start) == TextForm::Table) {
        return readTable(ByteSource(std::move(contents), fileName), fileName, options);
    }
    FieldReader reader(std::move(contents), fileName);
    std::vector<Treatment> treatments;
    treatments.push_back(readDescribedTreatment(reader, options.transformation));
    return treatments;
}

}  // namespace cpt
