#pragma once
// The one value sort of the program, on the analysis state's arrays:
// SortValues/SortTags at positions 1..SortCount into SortedValues/SortedTags.
namespace cpt {

class AppContext;

// SortValues/SortTags serve as its work area and are released afterwards:
// for a large count it needs no memory beyond the four arrays.
void QuickSortConsumingInput(AppContext& context);

}  // namespace cpt
