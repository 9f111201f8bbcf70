#pragma once
// The maintainer's transformations of bootstrap values, applied as each value
// is read.
#include <cstdint>
#include <string_view>

namespace cpt {

enum class Transformation { None, Arcsine, Logit };

// The typed choice: 1 arcsine, 2 logit, any other whole number none.
Transformation transformationFromChoice(std::int32_t choice);

// Whether x lies where the transformation is defined.
bool inTransformationRange(Transformation transformation, double x);
// The range in words, for the message about a value outside it.
std::string_view transformationRangeText(Transformation transformation);

double applyTransformation(Transformation transformation, double x);

}  // namespace cpt
