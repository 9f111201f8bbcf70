#include "core/analysis/transformation.h"

#include <cmath>

namespace cpt {

Transformation transformationFromChoice(std::int32_t choice) {
    switch (choice) {
        case 1: return Transformation::Arcsine;
        case 2: return Transformation::Logit;
        default: return Transformation::None;
    }
}

bool inTransformationRange(Transformation transformation, double x) {
    switch (transformation) {
        case Transformation::Arcsine: return x >= 0 && x < 1;
        case Transformation::Logit: return x > 0 && x < 1;
        case Transformation::None: break;
    }
    return true;
}

std::string_view transformationRangeText(Transformation transformation) {
    switch (transformation) {
        case Transformation::Arcsine: return "the arcsine transformation needs a value from 0 up to, not including, 1";
        case Transformation::Logit: return "the logit transformation needs a value between 0 and 1, both excluded";
        case Transformation::None: break;
    }
    return "any number will do";
}

double applyTransformation(Transformation transformation, double x) {
    switch (transformation) {
        case Transformation::Arcsine: {
            // arcsin(sqrt(x)) by way of the arctangent: the stored values must
            // match to the last digit, where std::asin may round differently.
            double s = std::sqrt(x);
            return std::atan(s / std::sqrt(1 - s * s));
        }
        case Transformation::Logit: return std::log(x / (1 - x));
        case Transformation::None: break;
    }
    return x;
}

}  // namespace cpt
