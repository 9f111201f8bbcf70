#pragma once
// The letter rows of the preliminary table.
#include <string>
#include <string_view>
#include <vector>

namespace cpt {

class AppContext;
class OutputFile;
class PrintLine;
struct AnalysisState;

// The significance flags of the pairs (1,2), (1,3), ..., (n-1,n) in that
// order, read as a binary number with the first flag highest: the index into
// the marking tables.
int significancePattern(const AnalysisState& state, int treatmentCount);

// The letter labels of treatments 1 to n: the fixed tables for 2 to 4
// treatments, the general rule beyond; none when fewer than 2 treatments or
// more groups than letters.
std::vector<std::string> letterLabels(const AnalysisState& state);

// Name, original value, SE and label; the label's letter stands in column 66.
void writeLetterRow(PrintLine& line, const AnalysisState& state, int treatment, std::string_view label);

// The four letter rows of a run with four treatments.
void PrintPairTestTable4Treats(AppContext& context, OutputFile& report);

}  // namespace cpt
