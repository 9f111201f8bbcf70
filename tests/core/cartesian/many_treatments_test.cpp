// Runs of five and more treatments from the button click: every pair against
// the literal working, the difference files of every pair, and the report's
// pair sections.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/cartesian_run.h"
#include "support/test_files.h"

namespace cpt::testing {
namespace {

struct ManyCase {
    int count;
    unsigned seed;
    bool differenceFiles;
    double sidakAlpha;
};

// Values on a coarse grid, so that differences tie and meet 0 and the limit.
std::vector<std::filesystem::path> writeRandomTreatments(const CartesianRun& run, const ManyCase& c) {
    std::mt19937 generator(c.seed);
    std::uniform_int_distribution<int> sizes(8, 30);
    std::uniform_int_distribution<int> centres(-6, 6);
    std::uniform_int_distribution<int> steps(-20, 20);
    std::vector<std::filesystem::path> files;
    for (int t = 1; t <= c.count; ++t) {
        const int size = sizes(generator);
        const double centre = 0.2 + centres(generator) * 0.005;
        std::vector<std::string> values;
        for (int k = 0; k < size; ++k) values.push_back(std::to_string(centre + steps(generator) * 0.0025));
        values.push_back("-1");
        const std::string number = std::to_string(t);
        files.push_back(run.folder.write("host" + number + ".txt",
                                         treatmentText("Host " + number, "r", size, values, 20 + t)));
    }
    return files;
}

TEST(ManyTreatments, EveryPairMatchesTheLiteralWorking) {
    const ManyCase cases[] = {
        {5, 5, true, 0.005116196891823743},
        {6, 6, false, 0.0034137129465903193},
        {10, 10, true, 0.0011392016030112861},
    };
    for (const ManyCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.count << " treatments");
        CartesianRun run;
        run.script(writeRandomTreatments(run, c), c.differenceFiles);
        run.run();
    const CartesianResult& r = run.result();
        const int pairs = c.count * (c.count - 1) / 2;
        EXPECT_EQ(static_cast<int>(r.pairs.size()), pairs);
        EXPECT_EQ(r.sidakAlpha, c.sidakAlpha);
        EXPECT_EQ(r.anova.dfBetween, c.count - 1);
        for (int p = 1; p < c.count; ++p) EXPECT_GE(treatmentOf(r, p).mean, treatmentOf(r, p + 1).mean);
        for (int i = 1; i < c.count; ++i) {
            for (int j = i + 1; j <= c.count; ++j) {
                SCOPED_TRACE(::testing::Message() << "pair " << i << "," << j);
                EXPECT_EQ(figuresOf(r, i, j), literalPair(run.context, i, j));
            }
        }
        ASSERT_TRUE(run.reportWritten());

        // Six difference files a pair, named by the pair's numbers in decimal.
        const std::vector<std::string> written = run.outputFiles();
        const std::size_t differenceFiles = static_cast<std::size_t>(std::count_if(
            written.begin(), written.end(), [](const std::string& name) { return name.find(" results-") == std::string::npos; }));
        EXPECT_EQ(differenceFiles, c.differenceFiles ? static_cast<std::size_t>(6 * pairs) : 0u);
        if (c.differenceFiles) {
            const std::string last = "25A-Cartesian diff_5-r-" + std::to_string(c.count - 1) + " to " +
                                     std::to_string(c.count) + "_diff-All (for N. sort).txt";
            EXPECT_NE(std::find(written.begin(), written.end(), last), written.end()) << last;
        }

        // One pair section for every pair, in pair order.
        std::vector<std::string> report;
        for (const std::string& name : written) {
            if (name.find(" results-") != std::string::npos) report = readLines(run.folder.path() / name);
        }
        std::vector<std::string> sections;
        for (const std::string& line : report) {
            if (line.starts_with("Comparison between ")) sections.push_back(line);
        }
        ASSERT_EQ(sections.size(), static_cast<std::size_t>(pairs));
        EXPECT_EQ(sections.front(), "Comparison between " + treatmentOf(r, 1).name + " vs " + treatmentOf(r, 2).name);
        EXPECT_EQ(sections[static_cast<std::size_t>(c.count - 1)],
                  "Comparison between " + treatmentOf(r, 2).name + " vs " + treatmentOf(r, 3).name);
        EXPECT_EQ(sections.back(), "Comparison between " + treatmentOf(r, c.count - 1).name + " vs " +
                                       treatmentOf(r, c.count).name);
        EXPECT_NE(std::find(report.begin(), report.end(), "Number of treatments = " + std::to_string(c.count) + " "),
                  report.end());
    }
}

}  // namespace
}  // namespace cpt::testing
