#pragma once
// Text as XML character data: the five specials escaped, and the control
// characters XML 1.0 cannot hold left out.
#include <string>
#include <string_view>

namespace cpt {

std::string xmlText(std::string_view text);

}  // namespace cpt
