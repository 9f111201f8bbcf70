#pragma once
// One pair's section of the result report: the two treatments side by side,
// the Cartesian differences and the t, percentile and P-value judgements.
namespace cpt {

class PrintLine;
struct CartesianResult;

// Pair (i, j), 0-based in mean order, i < j; ends before the empty line that
// follows a section.
void writePairSection(PrintLine& line, const CartesianResult& result, int i, int j);

}  // namespace cpt
