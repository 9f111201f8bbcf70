#pragma once
// A table need not give each treatment's sample size and full-sample
// estimate; the desktop flow asks for what it lacks.
#include <string_view>

#include "core/analysis/treatment.h"
#include "core/common/dialogs.h"

namespace cpt {

// Asks for the n and the estimate the treatment is marked as missing, naming
// it and its file, until the answer is usable; fills them in and clears the
// marks. Throws Cancelled when a box is cancelled.
void askMissingTableEntries(Dialogs& dialogs, Treatment& treatment, std::string_view fileName);

}  // namespace cpt
