#include "core/sorting/data_file_reading.h"

#include <cmath>

#include "core/common/big_integer.h"
#include "core/common/decimal_parse.h"
#include "core/common/exact_sum.h"
#include "core/common/field_reader.h"
#include "core/common/number_format.h"

namespace cpt {
namespace {

constexpr std::string_view ValueWhat = "a data value";
constexpr std::string_view SerialWhat = "a serial number";
constexpr std::string_view SerialValueWhat = "the data value after its serial number";

// A number field is kept in its text number form, anything else as written.
std::string numberOrText(const std::string& field) {
    std::optional<double> number = parseDecimalExactly(field);
    return number && std::isfinite(*number) ? textNumber(*number) : field;
}

// Reads the next value, after its serial number when there is one. Returns
// false at the end mark: a serial number of -1 (its value is dropped), or
// without serial numbers a value of -1 where the caller honours it.
bool readValue(FieldReader& reader, bool serialNumbers, bool endMark, double& value) {
    if (serialNumbers) {
        double serial = reader.readNumber(SerialWhat);
        if (endMark && serial == -1) {
            if (!reader.atEnd()) reader.skip(SerialValueWhat);
            return false;
        }
        value = reader.readNumber(SerialValueWhat);
        return true;
    }
    value = reader.readNumber(ValueWhat);
    return !(endMark && value == -1);
}

DataFileHeading readGeneralHeading(FieldReader& reader) {
    DataFileHeading heading;
    heading.projectName = reader.readText("the project name");
    reader.skip("the second heading field");
    heading.code = reader.readText("the code of the data set");
    return heading;
}

DataFileHeading readBootstrapHeading(FieldReader& reader, bool resultsKind) {
    DataFileHeading heading;
    heading.treatmentName = reader.readText("the treatment name");
    reader.skip("the second heading field");
    heading.sampleSize = reader.readInteger("the sample size");
    if (heading.sampleSize < 1) {
        reader.complain("field 3 gives the sample size " + std::to_string(heading.sampleSize) +
                        ", but a sample size must be at least 1.");
    }
    reader.skip("the fourth heading field");
    // B counts the values to read: a fraction or a count below 1 would be a guess.
    const double b = reader.readNumber("B, the number of bootstrap values");
    if (!(b >= 1 && b <= INT32_MAX && b == std::floor(b))) {
        reader.complain("field 5 should be B, the number of bootstrap values (a whole number of at least 1), "
                        "but it holds " + textNumber(b) + ".");
    }
    heading.bootstrapNumber = static_cast<std::int32_t>(b);
    heading.code = reader.readText("the code of the data set");
    heading.sampleSizeOrMean = numberOrText(reader.readText("the sample size or mean"));
    heading.pointEstimate = reader.readNumber("the point estimate of the parameter");
    if (resultsKind) {
        reader.skip("the ninth heading field");
        reader.skip("the tenth heading field");
    }
    return heading;
}

// B values fill the array without a move, but a heading's B cannot claim more
// room than the file has values for: each takes a digit and a separator at least.
std::int32_t valuesTheFileCanHold(const std::filesystem::path& path, bool serialNumbers, std::int32_t b) {
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(path, error);
    if (error) return 0;
    const std::uintmax_t most = bytes / (serialNumbers ? 4 : 2) + 1;
    return most < static_cast<std::uintmax_t>(b) ? static_cast<std::int32_t>(most) : b;
}

// Values near the Double limit can overflow the sum in reading order, though
// their mean never does: then the mean comes from the exact sum.
double meanOf(double total, const SortCountValues& values) {
    const auto count = static_cast<std::int32_t>(values.size());
    if (std::isfinite(total)) return total / count;
    const ExactSum exact = exactSumOf({values.data(), values.size()});
    return nearestDouble(exact.sum(), BigInteger(count), ExactSum::ValueExponent);
}

}  // namespace

DataFileContents readDataFile(const std::filesystem::path& path, SortCountKind kind, bool serialNumbers) {
    FieldReader reader = FieldReader::fromFile(path);
    DataFileContents contents;
    const bool general = kind == SortCountKind::General;
    contents.heading = general ? readGeneralHeading(reader)
                               : readBootstrapHeading(reader, kind == SortCountKind::PairedTestResults);
    SortCountValues& values = contents.values;

    // Only general files know the -1 end mark; bootstrap files stop after B values.
    const std::int32_t limit = general ? INT32_MAX - 1 : contents.heading.bootstrapNumber;
    if (!general) values.reserve(static_cast<std::size_t>(valuesTheFileCanHold(path, serialNumbers, limit)));
    std::int32_t count = 0;
    double total = 0;
    double value = 0;
    while (count < limit && !reader.atEnd()) {
        if (!readValue(reader, serialNumbers, general, value)) break;
        ++count;
        values.push_back(value);
        total += value;
    }
    if (count == 0) reader.complain("it holds no data values after its heading.");
    contents.total = total;
    contents.mean = meanOf(total, values);
    return contents;
}

}  // namespace cpt
