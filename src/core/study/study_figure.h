#pragma once
// The figure a paper prints beside the study table: a panel per row, in the
// table's order, with each treatment's estimate ± SE and its letters, drawn
// from the table itself so that the two never disagree.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/figures/figure_model.h"
#include "core/study/study_table.h"

namespace cpt {

enum class StudyFigureStyle { Bars, Points };

// "bars", "points".
std::optional<StudyFigureStyle> studyFigureStyleNamed(std::string_view name);

inline constexpr int StudyPanelsPerRow = 3;

// Where a panel's axis starts: zero, unless every whisker end lies on one
// side of zero and the one nearest zero is more than half as far from it as
// the farthest (λ near 1, say); then at a round value just short of them.
// The bars grow from zero, or from the axis end nearest zero.
struct StudyPanelScale {
    std::vector<double> ticks;  // round values, the first and last the axis's ends
    double base = 0;            // where bars start
};
StudyPanelScale studyPanelScale(const StudyRow& row);

figures::Figure studyFigure(const StudyTable& table, StudyFigureStyle style = StudyFigureStyle::Bars);

}  // namespace cpt
