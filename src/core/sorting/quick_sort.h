#pragma once
// The one value sort of the program, on the analysis state's arrays:
// SortValues/SortTags at positions 1..SortCount into SortedValues/SortedTags.
namespace cpt {

class AppContext;

void QuickSort(AppContext& context);

}  // namespace cpt
