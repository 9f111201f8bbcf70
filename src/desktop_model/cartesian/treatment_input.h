#pragma once
// The first stage of a Cartesian run: the number of treatments, one file per
// treatment, each read as soon as it is chosen, and the treatments numbered by
// their mean.
namespace cpt {

class AppContext;

// Leaves the treatments in context.cartesianRun and their headings in the
// state, in mean order. Throws Cancelled when the user cancels a box or
// dialogue and UserError for a file that cannot be used; nothing is written
// in either case.
void CartesianDifference(AppContext& context);

}  // namespace cpt
