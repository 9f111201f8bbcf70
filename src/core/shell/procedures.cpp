#include "core/shell/procedures.h"

namespace cpt {

void RunCartesianPairedTest(AppContext&) {}
void RunSortAndCount(AppContext&) {}

}  // namespace cpt
