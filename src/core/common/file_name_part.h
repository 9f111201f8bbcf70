#pragma once
// Text from a data file or an answer that goes into an output file's name.
#include <string>
#include <string_view>

namespace cpt {

// Each character that a file name cannot hold on common systems
// (/ \ : * ? " < > | and control characters) becomes "_"; the rest is kept.
std::string fileNamePart(std::string_view text);

}  // namespace cpt
