#pragma once
// Figure files of a run: their names and the checked SVG writer.
#include <filesystem>
#include <string>

#include "core/figures/figure_model.h"
#include "core/figures/run_summary.h"

namespace cpt::figures {

// "means" and "pair-I-J" with I < J the treatments' numbers in the report.
inline std::string meansFigureStem() { return "means"; }
std::string pairFigureStem(const PairSummary& pair);

// Writes the SVG form of the figure, replacing a file of that name; a file
// that cannot be fully written is removed and throws UserError, while one
// that cannot be opened is left as it was.
void writeSvgFile(const Figure& figure, const std::filesystem::path& path);

}  // namespace cpt::figures
