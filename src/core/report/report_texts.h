#pragma once
// The fixed texts of the result report's header and its literature
// references, kept as data.
#include <array>
#include <span>
#include <string_view>

namespace cpt::report_texts {

// A reference's continuation lines carry their three-blank indent already.
using Reference = std::span<const std::string_view>;

extern const std::array<std::string_view, 14> Explanation;
// Quoted under "Main references:", three and four lines.
extern const std::array<Reference, 2> MainReferences;
// Listed under "References:", three, four, four and five lines.
extern const std::array<Reference, 4> References;

// Written once, after the degrees of freedom, when a pair had more
// differences than are listed.
inline constexpr std::string_view MomentsFromSumsNote =
    "Pairs with more than 9000005 differences: means and variances are exact, computed from the samples' sums.";

}  // namespace cpt::report_texts
