// The frequency chart's title names the data set: a bootstrap file's
// treatment with its parameter, a general file's project with its code.
#include <gtest/gtest.h>

#include "core/sorting/class_chart.h"

namespace cpt {
namespace {

TEST(ClassChart, TitleNamesTheDataSetOfItsKind) {
    struct Case {
        SortCountKind kind;
        const char* project;
        const char* treatment;
        const char* code;
        const char* title;
    };
    const Case cases[] = {
        {SortCountKind::Bootstrap, "", "Maize", "r", "Maize (r)"},
        {SortCountKind::Bootstrap, "", "Maize", "", "Maize"},
        {SortCountKind::PairedTestResults, "", "Maize", "r", "Maize (r)"},
        {SortCountKind::General, "Egg duration", "", "E1", "Egg duration E1"},
        {SortCountKind::General, "Egg duration", "", "", "Egg duration"},
        {SortCountKind::General, "", "", "E1", "E1"},
    };
    for (const Case& c : cases) {
        SortCountResult result;
        result.kind = c.kind;
        result.heading.projectName = c.project;
        result.heading.treatmentName = c.treatment;
        result.heading.code = c.code;
        result.classes.values = {1.5, 2.5};
        result.classes.counts = {1, 3};
        const ChartModel chart = frequencyChartOf(result);
        EXPECT_EQ(chart.title, c.title);
        EXPECT_EQ(chart.mean, (1.5 + 3 * 2.5) / 4);
    }
}

}  // namespace
}  // namespace cpt
