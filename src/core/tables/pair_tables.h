#pragma once
// The pairwise part of the result report: five triangle tables and the
// preliminary letter table, appended to the open report file.
namespace cpt {

class AppContext;
class OutputFile;

// Numbers its six tables on from context.state.TableNumber.
void PrintPairTestTable(AppContext& context, OutputFile& report);

}  // namespace cpt
