#pragma once
// The life tables' figures: l_x and m_x against age, one curve per
// treatment, with a key of the treatments' names.
#include <string>

#include "core/figures/figure_model.h"
#include "core/life/life_bootstrap.h"

namespace cpt::figures {

enum class LifeCurve { Survival, Fecundity };  // l_x, m_x

Figure lifeTableFigure(const life::LifeResult& result, LifeCurve curve);
// "life-table-lx", "life-table-mx".
std::string lifeFigureStem(LifeCurve curve);

}  // namespace cpt::figures
