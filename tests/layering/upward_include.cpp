// Must not compile with the include folders of the lowest layer: the sorting
// lives a layer above it.
#include "core/sorting/frequency_bins.h"
