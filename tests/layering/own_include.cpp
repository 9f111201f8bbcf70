// Compiles with the include folders of the lowest layer.
#include "core/common/output_file.h"
