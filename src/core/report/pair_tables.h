#pragma once
// The pairwise part of the result report: five triangle tables and the
// preliminary letter table.
namespace cpt {

class PrintLine;
struct CartesianResult;

// Numbers its six tables on from tableNumber, which it leaves at the last.
void writePairTables(PrintLine& line, const CartesianResult& result, int& tableNumber);

}  // namespace cpt
