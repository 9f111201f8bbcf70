#pragma once
// One treatment's bootstrap result file: eight heading fields, then the
// bootstrap values, ended after B values or by a -1.
#include <cstdint>
#include <string>

#include "core/analysis/transformation.h"
#include "core/common/capacities.h"
#include "core/common/field_reader.h"

namespace cpt {

struct TreatmentHeading {
    std::string name;
    std::int32_t sampleSize = 0;
    std::int32_t bootstrapNumber = 0;
    std::string code;
    double pointEstimate = 0;
};

// Reads fields 1 to 8; a B below 2 or beyond what a value array holds is
// refused here, before any value is read.
TreatmentHeading readTreatmentHeading(FieldReader& reader);

// Largest magnitude of a bootstrap value (after the transformation).
inline constexpr double MaxValueMagnitude = 1e150;

struct BootstrapValue {
    bool endMark = false;  // the -1 that ends the list; value is then -1
    double value = 0;      // transformed
};

// Reads value number `position` of the list. The end mark is tested before
// the transformation; a value outside the transformation's range, or of a
// magnitude above MaxValueMagnitude, is refused.
BootstrapValue readBootstrapValue(FieldReader& reader, std::int32_t position, Transformation transformation);

// The list ended (by its end or by -1) before B values.
[[noreturn]] void complainTooFewValues(const FieldReader& reader, std::int32_t valuesRead,
                                       std::int32_t bootstrapNumber, bool byEndMark);

}  // namespace cpt
