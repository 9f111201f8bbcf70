#pragma once
// The one place the entry points name where the application context lives.
#include "core/state/app_context.h"
