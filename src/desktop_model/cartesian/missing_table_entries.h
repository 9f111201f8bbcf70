#pragma once
// A table need not give each treatment's sample size and full-sample
// estimate; the desktop flow asks for what it lacks.
#include <cstdint>
#include <optional>
#include <string>
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
// The checks of those boxes, for every window that takes the same entries:
// the whole answer as a number (a decimal comma taken too), a sample size a
// whole number of at least 1; none when the answer is not usable.
std::optional<double> estimateTyped(std::string_view answer);
std::optional<std::int32_t> sampleSizeTyped(std::string_view answer);
// What the user is told of an unusable answer, the answer quoted.
std::string sampleSizeRefusal(std::string_view answer);
std::string estimateRefusal(std::string_view answer);

// A table without a parameter column takes its code from its file's name:
// asks for the code with that name as the default answer, until one is
// given. Throws Cancelled when the box is cancelled.
std::string askTableParameterCode(Dialogs& dialogs, std::string_view fileName, const std::string& defaultCode);

void chooseTableParameter(Dialogs& dialogs, std::vector<Treatment>& treatments, std::string_view fileName);

}  // namespace cpt
