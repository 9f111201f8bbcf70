#pragma once
// `cpt cartesian --figures DIR`: the Results window's figures as files.
#include <filesystem>
#include <string>
#include <vector>

#include "core/figures/figure_model.h"
#include "core/figures/run_summary.h"

namespace cpt::cli {

// The figures folder made when missing, before the run: a folder that
// cannot be made throws UserError naming it.
void makeFiguresFolder(const std::filesystem::path& folder);

// Writes means.<ext> and one pair-I-J.<ext> per pair into folder in the
// format "svg", "png" or "pdf"; returns their paths. A figure that cannot be
// written throws UserError (the figures written before it stay: each is
// complete).
// One figure in the format "svg", "png" or "pdf", replacing a file of that
// name. Throws UserError.
void writeFigureFile(const figures::Figure& figure, const std::filesystem::path& path, const std::string& format);

std::vector<std::filesystem::path> writeRunFigures(const figures::RunSummary& summary, const std::filesystem::path& folder,
                                                   const std::string& format);

}  // namespace cpt::cli
