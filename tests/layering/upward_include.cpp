// Must not compile with the include folders of the lowest layer: the
// application context lives a layer above it.
#include "core/state/app_context.h"
