#pragma once
// The edition's constants and the texts the main window carries.
#include <cstdint>
#include <string_view>

namespace cpt::edition {

inline constexpr double MaxBootstrapNumber = 3000;
inline constexpr std::int16_t StatedMaxTreatments = 3;
inline constexpr std::string_view Label = "KORVAL-MSChart-CartesianPT only";
inline constexpr std::string_view VersionDate = "04/01/2023";
inline constexpr std::string_view ProgramTitle = "KORVAL: Bootstrap Comparison of Life-Table Parameters";
inline constexpr std::string_view Authorship =
    "Written for population ecologists by the KORVAL life-table project. ";
inline constexpr std::string_view Contact =
    "Questions, error reports and suggestions are welcome: please write to the KORVAL "
    "life-table project and attach the data files that show the problem.";

}  // namespace cpt::edition
