#pragma once
// Reading a number from what the user typed into an input box: the leading
// numeric part counts ("3 trees" is 3), and a text without one is 0.
#include <string_view>

namespace cpt {

double leadingNumber(std::string_view text);

}  // namespace cpt
