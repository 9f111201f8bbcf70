#pragma once
#include <array>
#include <string_view>

namespace cpt {

inline constexpr int SayingCount = 28;
inline constexpr int MenuTextSlot = 53;
inline constexpr int DoubleClickSaying = 26;

// Quotations on learning, science, perseverance and teachers, slots 0 to 27.
extern const std::array<std::string_view, SayingCount> SayingTexts;
// The analysis menu shown beside the saying.
extern const std::string_view AnalysisMenuText;
// The teacher sayings of the dedication window.
extern const std::array<std::string_view, 4> DedicationSayings;

}  // namespace cpt
