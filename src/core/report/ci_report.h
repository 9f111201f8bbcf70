#pragma once
// The result report of a Cartesian paired test run.
namespace cpt {

class AppContext;

// Asks for the file-name code, writes the report file (with the pairwise
// tables appended), fills the overview grid and updates the main window.
// A file that cannot be written throws UserError.
void PrintMultiCIofDifference(AppContext& context);

}  // namespace cpt
