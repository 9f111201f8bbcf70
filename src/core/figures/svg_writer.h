#pragma once
// The SVG form of a figure: a standalone document, every primitive with its
// role as class.
#include <string>

#include "core/figures/figure_model.h"

namespace cpt::figures {

std::string svgOf(const Figure& figure);

}  // namespace cpt::figures
