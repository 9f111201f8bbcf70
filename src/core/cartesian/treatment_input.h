#pragma once
// The first stage of a Cartesian run: the number of treatments, one file per
// treatment, read twice, and the treatments numbered by their mean.
namespace cpt {

class AppContext;

// Throws Cancelled when the user cancels a box or dialogue and UserError for
// a file that cannot be used; nothing is written in either case.
void CartesianDifference(AppContext& context);

}  // namespace cpt
