#include "core/input/described_treatment.h"

#include "core/input/treatment_file.h"

namespace cpt {

Treatment readDescribedTreatment(FieldReader& reader, Transformation transformation) {
    if (reader.atEnd()) {
        reader.complain("it is empty, but a bootstrap result file begins with eight heading fields and its values "
                        "follow them.");
    }
    const TreatmentHeading heading = readTreatmentHeading(reader);
    Treatment treatment;
    treatment.name = heading.name;
    treatment.code = heading.code;
    treatment.sampleSize = heading.sampleSize;
    treatment.estimate = heading.pointEstimate;
    treatment.transformation = transformation;
    treatment.source = reader.displayName();

    const std::int32_t b = heading.bootstrapNumber;
    BootstrapValues& values = treatment.values;
    values.reserve(static_cast<std::size_t>(b));
    double sum = 0;
    std::int32_t valuesRead = 0;
    bool endMark = false;
    std::int32_t k = 1;
    for (; k <= b + 1; ++k) {
        if (reader.atEnd()) break;  // a file without any value
        const BootstrapValue read = readBootstrapValue(reader, k, transformation);
        if (read.endMark) {
            endMark = true;
            break;
        }
        ++valuesRead;
        if (k <= b) values.push_back(read.value);
        sum += read.value;
        if (reader.atEnd()) break;
    }
    if (valuesRead < b) complainTooFewValues(reader, valuesRead, b, endMark);
    const std::int32_t divisor = k > b ? k - 1 : b;
    treatment.orderingMean = sum / divisor;
    return treatment;
}

}  // namespace cpt
