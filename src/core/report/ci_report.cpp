#include "core/report/ci_report.h"

namespace cpt {

void PrintMultiCIofDifference(AppContext&) {}

}  // namespace cpt
