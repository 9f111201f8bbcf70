#include "core/study/study_labels.h"

namespace cpt {

std::string paperLabel(std::string_view code) {
    if (code == "lambda") return "\u03BB";
    if (code == "R0") return "R\u2080";
    return std::string(code);
}

}  // namespace cpt
