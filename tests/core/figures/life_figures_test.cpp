#include "core/figures/life_figures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace cpt::figures {
namespace {

life::TreatmentResult treatmentWith(std::string name, std::vector<std::pair<double, double>> lxmx) {
    life::TreatmentResult t;
    t.name = std::move(name);
    for (const auto& [lx, mx] : lxmx) {
        life::LifeTableRow row;
        row.age = static_cast<double>(t.table.rows.size() + 1);
        row.lx = lx;
        row.mx = mx;
        t.table.rows.push_back(row);
    }
    return t;
}

TEST(LifeFigures, OneCurveAndKeyPerTreatmentThroughEveryAge) {
    life::LifeResult result;
    result.treatments.push_back(treatmentWith("Maize", {{1, 0}, {0.5, 4}, {0.25, 2}}));
    result.treatments.push_back(treatmentWith("Bean", {{1, 0}, {0.8, 1}}));
    for (const LifeCurve curve : {LifeCurve::Survival, LifeCurve::Fecundity}) {
        const Figure figure = lifeTableFigure(result, curve);
        std::vector<Line> curves;
        std::copy_if(figure.lines.begin(), figure.lines.end(), std::back_inserter(curves),
                     [](const Line& l) { return l.role == "curve"; });
        ASSERT_EQ(curves.size(), 2U + 1U);
        // Maize's and Bean's curves differ in colour; each is joined age to age.
        EXPECT_NE(curves[0].colour, curves[2].colour);
        EXPECT_EQ(curves[0].x2, curves[1].x1);
        EXPECT_EQ(curves[0].y2, curves[1].y1);
        // A higher value is drawn higher: Maize's m_x rises from age 1 to 2, its l_x falls.
        if (curve == LifeCurve::Fecundity) EXPECT_LT(curves[0].y2, curves[0].y1);
        if (curve == LifeCurve::Survival) EXPECT_GT(curves[0].y2, curves[0].y1);
        const auto keys = std::count_if(figure.texts.begin(), figure.texts.end(),
                                        [](const Text& t) { return t.role == "key"; });
        EXPECT_EQ(keys, 2);
    }
    EXPECT_EQ(lifeFigureStem(LifeCurve::Survival), "life-table-lx");
}

}  // namespace
}  // namespace cpt::figures
