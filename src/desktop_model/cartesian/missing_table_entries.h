#pragma once
// A table need not give each treatment's sample size and full-sample
// estimate; the desktop flow asks for what it lacks.
#include <string_view>
#include <vector>

#include "core/analysis/treatment.h"
#include "desktop_model/common/dialogs.h"

namespace cpt {

// Asks for the n and the estimate the treatment is marked as missing, naming
// it and its file, until the answer is usable; fills them in and clears the
// marks. Throws Cancelled when a box is cancelled.
void askMissingTableEntries(Dialogs& dialogs, Treatment& treatment, std::string_view fileName);

// A long table may hold several parameters: asks which one the run is of,
// naming them, until a code of the table is given, and keeps only its
// treatments. Throws Cancelled when the box is cancelled.
void chooseTableParameter(Dialogs& dialogs, std::vector<Treatment>& treatments, std::string_view fileName);

}  // namespace cpt
