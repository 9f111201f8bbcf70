#pragma once
// The three kinds of data file a sort-and-count takes.
#include <string_view>

namespace cpt {

enum class SortCountKind {
    General,            // general integer data: a project heading, an end mark
    Bootstrap,          // bootstrap results of one parameter
    PairedTestResults,  // the same with two more heading fields
};

// The name the state, the headings' logic and the documents use for the kind.
constexpr std::string_view kindName(SortCountKind kind) {
    switch (kind) {
        case SortCountKind::General: return "General";
        case SortCountKind::Bootstrap: return "Boot";
        case SortCountKind::PairedTestResults: return "PBT or CPT results";
    }
    return "";
}

}  // namespace cpt
