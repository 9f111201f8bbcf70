// Must not compile with the include folders of the core, and is found by the
// scan of the sources built without the desktop model.
#include "desktop_model/state/app_context.h"
