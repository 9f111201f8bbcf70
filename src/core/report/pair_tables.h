#pragma once
// The pairwise part of the result report: five triangle tables and the
// preliminary letter table.
namespace cpt {

class AppContext;
class OutputFile;
class PrintLine;
struct CartesianResult;

// Numbers its six tables on from tableNumber, which it leaves at the last.
void writePairTables(PrintLine& line, const CartesianResult& result, int& tableNumber);

// The window flow's procedure: the same, appended to the open report file,
// numbered on from the state's TableNumber.
void PrintPairTestTable(AppContext& context, const CartesianResult& result, OutputFile& report);

}  // namespace cpt
