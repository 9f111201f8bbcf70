#pragma once
// The limits the input is checked against: treatments per run and values per
// treatment listed difference by difference.
#include <cstdint>

namespace cpt {

// Letters a-z name the treatments' columns in many users' papers; the general
// letter rule works on sets of at most 32.
inline constexpr int TreatmentCapacity = 26;
inline constexpr std::int32_t ValueCapacity = 9'000'005;

}  // namespace cpt
