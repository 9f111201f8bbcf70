#include "core/input/treatment_file.h"

#include <cmath>

#include "core/analysis/transformation.h"
#include "core/common/number_format.h"
#include "core/common/user_error.h"

namespace cpt {

TreatmentHeading readTreatmentHeading(FieldReader& reader) {
    TreatmentHeading heading;
    heading.name = reader.readText("the treatment name");
    reader.skip("a label");
    heading.sampleSize = reader.readInteger("the sample size");
    reader.skip("a label");
    heading.bootstrapNumber = reader.readInteger("the bootstrap number B");
    heading.code = reader.readText("the treatment code");
    heading.sampleSize = reader.readInteger("the sample size");
    heading.pointEstimate = reader.readNumber("the parameter value of the full sample");

    // Field 7 is the sample size kept; the degrees of freedom count on it.
    if (heading.sampleSize < 1) {
        reader.complain("field 7 gives the sample size " + std::to_string(heading.sampleSize) +
                        ", but a sample size must be at least 1.");
    }
    const std::int32_t b = heading.bootstrapNumber;
    if (b < 2) {
        reader.complain("field 5 gives the bootstrap number B = " + std::to_string(b) +
                        ", but at least 2 bootstrap values are needed.");
    }
    // Value B + 1 is read as well (it counts in the ordering mean).
    if (b > ValueCapacity - 1) {
        reader.complain("field 5 gives the bootstrap number B = " + std::to_string(b) + ", more than the " +
                        std::to_string(ValueCapacity - 1) + " values a treatment can hold.");
    }
    return heading;
}

BootstrapValue readBootstrapValue(FieldReader& reader, std::int32_t position, Transformation transformation) {
    double x = reader.readNumber("bootstrap value " + std::to_string(position));
    if (x == -1) return {true, x};
    if (!inTransformationRange(transformation, x)) {
        reader.complain("field " + std::to_string(reader.fieldNumber()) + " (bootstrap value " +
                        std::to_string(position) + ") holds " + textNumber(x) + ", but " +
                        std::string(transformationRangeText(transformation)) + ".");
    }
    const double transformed = applyTransformation(transformation, x);
    // Beyond this the sums of squared differences would overflow.
    if (std::fabs(transformed) > MaxValueMagnitude) {
        reader.complain("field " + std::to_string(reader.fieldNumber()) + " (bootstrap value " +
                        std::to_string(position) + ") holds " + textNumber(x) +
                        ", but a bootstrap value must lie between -1E+150 and 1E+150.");
    }
    return {false, transformed};
}

void complainTooFewValues(const FieldReader& reader, std::int32_t valuesRead, std::int32_t bootstrapNumber,
                          bool byEndMark) {
    std::string b = std::to_string(bootstrapNumber);
    if (byEndMark) {
        reader.complain("the end mark -1 in field " + std::to_string(reader.fieldNumber()) + " comes after only " +
                        std::to_string(valuesRead) + " bootstrap values, but field 5 gives B = " + b + ".");
    }
    reader.complain("it holds only " + std::to_string(valuesRead) + " bootstrap values, but field 5 gives B = " +
                    b + ".");
}

}  // namespace cpt
