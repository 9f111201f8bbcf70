#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/report/significance_overview.h"
#include "desktop_model/report/overview_window.h"
#include "support/sample_results.h"
#include "support/app_fixture.h"

namespace cpt {
namespace {

using testing::AppFixture;

std::vector<std::vector<std::string>> cells(const GridModel& grid) {
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < grid.rows; ++r) {
        rows.emplace_back();
        for (int c = 0; c < grid.columns; ++c) rows.back().push_back(grid.text(r, c));
    }
    return rows;
}

TEST(SignificanceOverview, FourTreatmentGrid) {
    AppFixture f;
    ShowMultiCIofDifference(f.context, testing::fourTreatments().build());
    const GridModel& grid = f.context.window.grid;
    const std::string longName = "Brassica oleracea var. capitata cv. Golden Acre";
    EXPECT_EQ(cells(grid), (std::vector<std::vector<std::string>>{
                               {"", "Cabbage", longName, "Kale", "Radish"},
                               {"Cabbage", " ----", " .25", " .25", " .75"},
                               {longName, " .05", " ----", " 0", " .5"},  // t lower limit 0: no star
                               {"Kale", " 0*", " 1", " ----", " .5"},
                               {"Radish", " .2", " .0001*", " .06*", " ----"},
                           }));
    EXPECT_EQ(grid.columnWidths, std::vector<int>(5, 500));
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) EXPECT_TRUE(grid.isCentred(r, c)) << r << "," << c;
    }
}

TEST(SignificanceOverview, RoundingOfTheCells) {
    struct Case {
        double meanDifference;
        double pValue;
        double tLower;
        const char* upper;
        const char* lower;
    };
    const Case cases[] = {
        {1, 0.5, -1, " 1", " .5"},
        {0.1234, 0.00004, 0.1, " .123", " 0*"},      // P below 0.00005 shows as 0
        {12.3456, 0.03125, 0, " 12.35", " .0312"},  // halves to even; limit 0 is no star
        {250.5, 0.09375, 2, " 250", " .0938*"},
        {100, 1, 0, " 100", " 1"},
        {0, 0.12345678, 0, " 0", " .1235"},
        {0.9995117, 0, 0, " 1", " 0"},
        {3e9, 0, 0, " 3000000000", " 0"},
    };
    for (const Case& c : cases) {
        AppFixture f;
        testing::ResultBuilder result(2);
        result.treatmentAt(1).name = "A";
        result.treatmentAt(2).name = "B";
        result.at(1, 2).meanDifference = c.meanDifference;
        result.at(1, 2).result.pValue = c.pValue;
        result.at(1, 2).result.tLower = c.tLower;
        ShowMultiCIofDifference(f.context, result.build());
        EXPECT_EQ(cells(f.context.window.grid), (std::vector<std::vector<std::string>>{
                                                    {"", "A", "B"}, {"A", " ----", c.upper}, {"B", c.lower, " ----"}}))
            << c.meanDifference;
    }
}

TEST(SignificanceOverview, ShrinksToTheRun) {
    AppFixture f;
    ShowMultiCIofDifference(f.context, testing::fourTreatments().build());
    ShowMultiCIofDifference(f.context, testing::fourTreatments().count(2).build());
    EXPECT_EQ(f.context.window.grid.rows, 3);
    EXPECT_EQ(f.context.window.grid.columns, 3);
    EXPECT_EQ(f.context.window.grid.columnWidths.size(), 3u);
}

}  // namespace
}  // namespace cpt
