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

void QuickSort(AppContext& context) {
    AnalysisState& state = context.state;
    // Once a sort-and-count has run, sorts stop tracing themselves.
    if (!state.SortAndCountRun) context.trace("QuickSort");
    const std::int32_t count = state.SortCount;
    state.SortedValues.ensure(count);
    state.SortedTags.ensure(count);
    state.SortTags.ensure(count);
    const auto n = static_cast<std::size_t>(count);
    programSorter().sort(std::span<const double>(state.SortValues.from1(), n),
                std::span<const std::int32_t>(state.SortTags.from1(), n),
                std::span<double>(state.SortedValues.from1(), n),
                std::span<std::int32_t>(state.SortedTags.from1(), n));
}

void QuickSortConsumingInput(AppContext& context) {
    AnalysisState& state = context.state;
    if (!state.SortAndCountRun) context.trace("QuickSort");
    const std::int32_t count = state.SortCount;
    state.SortedValues.ensure(count);
    state.SortedTags.ensure(count);
    state.SortTags.ensure(count);
    const auto n = static_cast<std::size_t>(count);
    programSorter().sortConsumingInput(std::span<double>(state.SortValues.from1(), n),
                                      std::span<std::int32_t>(state.SortTags.from1(), n),
                                      std::span<double>(state.SortedValues.from1(), n),
                                      std::span<std::int32_t>(state.SortedTags.from1(), n));
    // What the sort left in them is of no use.
    state.SortValues.release();
    state.SortTags.release();
}

}  // namespace cpt
