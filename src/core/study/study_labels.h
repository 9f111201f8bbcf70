#pragma once
// Row names as a paper prints them: the codes of the well-known parameters
// in their mathematical form.
#include <string>
#include <string_view>

namespace cpt {

// "λ" for lambda, "R₀" for R0; any other code as it is.
std::string paperLabel(std::string_view code);

}  // namespace cpt
