// Compiles with the include folders of the core alone.
#include "core/report/reported_test.h"
#include "core/study/study_table.h"
