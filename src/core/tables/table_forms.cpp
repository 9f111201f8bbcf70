#include "core/tables/table_forms.h"

#include "core/common/rounding.h"

namespace cpt {

double fourDecimalForm(double value) { return roundHalfEven(value * 10000) / 10000; }

double boundedForm(double value) {
    if (value >= -10000 && value <= 10000) return fourDecimalForm(value);
    return roundHalfEven(value);
}

}  // namespace cpt
