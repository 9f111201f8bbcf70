#include "core/sorting/quick_sort.h"

#include <span>

#include "core/sorting/value_sort.h"
#include "core/state/app_context.h"

namespace cpt {
namespace {

// Its work areas grow to the largest count seen and are kept for the life
// of the program, so a sort allocates nothing once warmed up.
ValueSorter& programSorter() {
    static ValueSorter sorter;
    return sorter;
}

}  // namespace

void QuickSortConsumingInput(AppContext& context) {
    AnalysisState& state = context.state;
    // Once a sort-and-count has run, sorts stop tracing themselves.
    if (!state.SortAndCountRun) context.trace("QuickSort");
    const std::int32_t count = state.SortCount;
    state.SortedValues.ensure(count);
    state.SortedTags.ensure(count);
    state.SortTags.ensure(count);
    const auto n = static_cast<std::size_t>(count);
    const std::span<double> values(state.SortValues.from1(), n);
    const std::span<std::int32_t> tags(state.SortTags.from1(), n);
    const std::span<double> sortedValues(state.SortedValues.from1(), n);
    const std::span<std::int32_t> sortedTags(state.SortedTags.from1(), n);
    programSorter().sortConsumingInput(values, tags, sortedValues, sortedTags);
    // What the sort left in them is of no use.
    state.SortValues.release();
    state.SortTags.release();
}

}  // namespace cpt
