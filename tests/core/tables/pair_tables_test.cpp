#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <string>
#include <vector>

#include "core/common/output_file.h"
#include "core/common/print_line.h"
#include "core/report/pair_tables.h"
#include "support/sample_results.h"
#include "core/tables/table_forms.h"
#include "support/app_fixture.h"

namespace cpt {
namespace {

using testing::AppFixture;
using testing::readLines;

// The text as the described examples show it, with "·" for a blank.
std::string blanks(std::string text) {
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text.compare(k, 2, "\xC2\xB7") == 0) {
            out += ' ';
            ++k;
        } else {
            out += text[k];
        }
    }
    return out;
}

struct TablesRun : AppFixture {
    testing::ResultBuilder result{0};
    int tableNumber = 0;
    std::vector<std::string> write() {
        OutputFile report(folder.path() / "tables.txt");
        PrintLine line(report);
        writePairTables(line, result.build(), tableNumber);
        report.close();
        return readLines(folder.path() / "tables.txt");
    }
    // The lines after the first line that starts with the given text.
    static std::vector<std::string> after(const std::vector<std::string>& lines, const std::string& start,
                                          std::size_t skip, std::size_t count) {
        auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.starts_with(start); });
        EXPECT_NE(at, lines.end()) << start;
        if (at == lines.end() || static_cast<std::size_t>(lines.end() - at) < skip + count + 1) return {};
        return {at + 1 + static_cast<std::ptrdiff_t>(skip), at + 1 + static_cast<std::ptrdiff_t>(skip + count)};
    }
};

// The three treatments of the described examples.
void fillExample(testing::ResultBuilder& s) {
    s.count(3);
    s.treatment(1, {"A", 0.3, 3, 0, 0.012, 10, 100});
    s.treatment(2, {"B", 0.2, 2, 0, 0.0234, 10, 100});
    s.treatment(3, {"C", 0.1, 1, 0, 0.5, 10, 100});
    const double p[4][4] = {{}, {0, 0, 0.031, 0.004}, {0, 0.031, 0, 0.2}, {0, 0.004, 0.2, 0}};
    const double d[4][4] = {{}, {0, 0, 0.5, 1.25}, {0, 0.5, 0, 0.75}, {0, 1.25, 0.75, 0}};
    for (int i = 1; i <= 3; ++i) {
        for (int j = i + 1; j <= 3; ++j) {
            s.at(i, j).result.pValue = p[i][j];
            s.at(i, j).meanDifference = d[i][j];
        }
    }
}

TEST(PairTables, TableThreeOfTheExample) {
    TablesRun run;
    fillExample(run.result);
    std::vector<std::string> lines = run.write();
    EXPECT_EQ(TablesRun::after(lines, " Table 3. Differences between treatments (Cartesian product test)", 6, 3),
              (std::vector<std::string>{
                  blanks("·A··············----·······.031·*·····.004·*"),
                  blanks("·B··············.5·*·······----·······.2·"),
                  blanks("·C··············1.25·*·····.75········----"),
              }));
}

TEST(PairTables, LetterRowsOfTheExample) {
    TablesRun run;
    testing::ResultBuilder& s = run.result;
    fillExample(s);
    s.at(1, 2).result.pValue = 0.5;   // s12 = 0
    s.at(1, 3).result.pValue = 0.01;  // s13 = 1
    s.at(2, 3).result.pValue = 0.3;   // s23 = 0
    std::vector<std::string> lines = run.write();
    EXPECT_EQ(TablesRun::after(lines, " Table 6. Preliminary table of differences between treatments.", 7, 7),
              (std::vector<std::string>{
                  blanks("·==========================================================================="),
                  blanks("·Treatment·····Original·················SE······················Difference"),
                  blanks("·---------------------------------------------------------------------------"),
                  blanks("·A·············.3·······················.012·····················a"),
                  blanks("·B·············.2·······················.0234····················ab"),
                  blanks("·C·············.1·······················.5·······················b"),
                  blanks("·---------------------------------------------------------------------------"),
              }));
    EXPECT_EQ(TablesRun::after(lines, " Table 6.", 0, 1),
              std::vector<std::string>{"** If you notice error, please inform Prof. Dov." + std::string(33, ' ') + "**"});
}

TEST(PairTables, RoundingForms) {
    struct Case {
        double value;
        double fourDecimal;
        double bounded;
    };
    const Case cases[] = {
        {0.03125, 0.0312, 0.0312},       // halves to even
        {0.09375, 0.0938, 0.0938},
        {-0.5, -0.5, -0.5},
        {10000, 10000, 10000},           // still four-decimal form
        {-10000, -10000, -10000},
        {10000.6, 10000.6, 10001},       // whole number beyond the bound
        {10000.5, 10000.5, 10000},
        {-10002.5, -10002.5, -10002},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fourDecimalForm(c.value), c.fourDecimal) << c.value;
        EXPECT_EQ(boundedForm(c.value), c.bounded) << c.value;
    }
    EXPECT_TRUE(isSignificant(0.05));
    EXPECT_FALSE(isSignificant(0.0500001));
}

std::string sp(std::size_t count) { return std::string(count, ' '); }

// Two treatments: one upper and one lower cell, the bounded and four-decimal
// forms as printed, P exactly 0.05, t lower limit exactly 0, names at and just
// past the column limits, and six table numbers continuing from the last one.
TEST(PairTables, TwoTreatmentsWithEdgeValues) {
    TablesRun run;
    testing::ResultBuilder& s = run.result;
    s.count(2);
    s.treatment(1, {"ABCDEFGHIJKLM", 0.25, 20000.6, 0, 0.5, 10, 100});
    s.treatment(2, {"ABCDEFGHIJKLMNO", -0.5, 0, 0, 0.25, 10, 100});
    s.at(1, 2).meanDifference = 10000.6;
    s.at(1, 2).result.pValue = 0.05;
    s.at(1, 2).result.tLower = 0;
    run.tableNumber = 7;
    std::vector<std::string> lines = run.write();

    const std::string doubleRule = " " + std::string(37, '=');
    const std::string singleRule = " " + std::string(37, '-');
    // The second name passes column 16 of its row and column 28 of the heading.
    const std::vector<std::string> expected = {
        " Table 8. Differences between treatments and lower CI",
        "(This is the t confidence interval based on Cartesian product differences)",
        " [Upper right triangle: The difference between means (i,j)]",
        " [Lower left triangle: Lower CI of difference between means (i,j) based on t]",
        " ",
        doubleRule,
        sp(16) + "ABCDEFGHIJKLM",
        sp(27) + "ABCDEFGHIJKLMNO",
        singleRule,
        " ABCDEFGHIJKLM" + sp(2) + "----" + sp(7) + "10001 ",
        " ABCDEFGHIJKLMNO",
        sp(16) + "0" + sp(10) + "----",
        singleRule,
        " *: Significant at 5% significance level. A P<=0.05 denotes significant difference.",
        " The bootstrap t confidence interval might be different from the bootstrap percentile ",
        " confidence interval. ",
        "",
        " Table 9. Differences between treatments and P-value",
    };
    ASSERT_GE(lines.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(expected.size())),
              expected);

    EXPECT_EQ(TablesRun::after(lines, " Table 9.", 7, 3),
              (std::vector<std::string>{
                  " ABCDEFGHIJKLM" + sp(2) + "----" + sp(7) + "10001 *",
                  " ABCDEFGHIJKLMNO",
                  sp(16) + ".05 *" + sp(6) + "----",
              }));
    // The original column of table 4 is at column 40; the long heading before
    // it has passed it.
    EXPECT_EQ(TablesRun::after(lines, " Table 11.", 4, 7),
              (std::vector<std::string>{
                  sp(16) + "ABCDEFGHIJKLM",
                  sp(27) + "ABCDEFGHIJKLMNO",
                  sp(40) + "Original",
                  singleRule,
                  " ABCDEFGHIJKLM" + sp(1) + "------" + sp(6) + ".05 *" + sp(8) + ".25 ",
                  " ABCDEFGHIJKLMNO",
                  sp(16) + "10001 *" + sp(3) + "------" + sp(7) + "-.5 ",
              }));
    // A 13-character name still fits before column 15 of a letter row; 15 do not.
    EXPECT_EQ(TablesRun::after(lines, " Table 13. Preliminary table", 10, 4),
              (std::vector<std::string>{
                  " ABCDEFGHIJKLM .25" + sp(22) + ".5" + sp(23) + "a",
                  " ABCDEFGHIJKLMNO",
                  sp(14) + "-.5" + sp(23) + ".25" + sp(22) + "b",
                  " " + std::string(75, '-'),
              }));
    EXPECT_EQ(run.tableNumber, 13);
    EXPECT_EQ(lines.back(), " " + std::string(75, '-'));
}

// A line built the long way: each text placed at its column (counted from 1).
std::string placed(std::string start, const std::vector<std::pair<int, std::string>>& cells) {
    std::string line = std::move(start);
    for (const auto& [column, text] : cells) {
        EXPECT_LE(line.size(), static_cast<std::size_t>(column - 1)) << "overlaps column " << column;
        line.resize(static_cast<std::size_t>(column - 1), ' ');
        line += text;
    }
    return line;
}

// Five treatments; neighbours in the numbering alike, all others differ.
void fillFive(testing::ResultBuilder& s) {
    s.count(5);
    for (int t = 1; t <= 5; ++t) {
        s.treatment(t, {"T" + std::to_string(t), 0.6 - 0.1 * t, 1.0 - 0.1 * t, 0, 0.01 * t, 10, 100});
    }
    for (int i = 1; i <= 5; ++i) {
        for (int j = i + 1; j <= 5; ++j) {
            s.at(i, j).result.pValue = j - i >= 2 ? 0.01 : 0.2;
            s.at(i, j).meanDifference = 0.1 * (j - i);
            s.at(i, j).result.tLower = 0.1 * (j - i) - 0.15;
        }
    }
}

TEST(PairTables, FiveTreatmentsByTheColumnRules) {
    TablesRun run;
    testing::ResultBuilder& s = run.result;
    fillFive(s);
    const std::vector<std::string> lines = run.write();

    // Cells at 11 (j - 1) + 16, headings one further, the original column at
    // 11 n + 18 = 73, rules 11 n + 15 = 70 long.
    auto pValue = [&](int i, int j) { return s.at(std::min(i, j), std::max(i, j)).result.pValue; };
    auto pCell = [&](int i, int j) { return std::string(pValue(i, j) <= 0.05 ? " .01 *" : " .2 "); };
    auto meanCell = [&](int i, int j) {
        const std::string number = " ." + std::to_string(std::abs(i - j)) + " ";
        return pValue(i, j) <= 0.05 ? number + "*" : number;
    };
    std::vector<std::string> table4{
        " " + std::string(70, '='),
        placed("", {{17, "T1"}, {28, "T2"}, {39, "T3"}, {50, "T4"}, {61, "T5"}, {73, " Original"}}),
        " " + std::string(70, '-'),
    };
    for (int i = 1; i <= 5; ++i) {
        std::vector<std::pair<int, std::string>> cells;
        for (int j = 1; j <= 5; ++j) {
            cells.emplace_back(11 * (j - 1) + 16, j == i ? "------" : j > i ? pCell(i, j) : meanCell(i, j));
        }
        cells.emplace_back(73, " ." + std::to_string(6 - i) + " ");
        table4.push_back(placed(" T" + std::to_string(i), cells));
    }
    table4.push_back(" " + std::string(70, '-'));
    EXPECT_EQ(TablesRun::after(lines, " Table 4.", 3, 9), table4);

    std::vector<std::string> table1;
    for (int i = 1; i <= 5; ++i) {
        std::vector<std::pair<int, std::string>> cells;
        for (int j = 1; j <= 5; ++j) {
            std::string cell = " ----";
            if (j > i) cell = " ." + std::to_string(j - i) + " ";
            if (j < i) cell = i - j == 1 ? "-.05 " : " ." + std::to_string(i - j - 2) + "5 *";
            cells.emplace_back(11 * (j - 1) + 16, cell);
        }
        table1.push_back(placed(" T" + std::to_string(i), cells));
    }
    EXPECT_EQ(TablesRun::after(lines, " Table 1.", 7, 5), table1);

    const char* labels[] = {"a", "ab", "bc", "cd", "d"};
    std::vector<std::string> letterRows;
    for (int i = 1; i <= 5; ++i) {
        letterRows.push_back(placed(" T" + std::to_string(i), {{15, " ." + std::to_string(6 - i) + " "},
                                                               {40, " .0" + std::to_string(i) + " "},
                                                               {66, labels[i - 1]}}));
    }
    letterRows.push_back(" " + std::string(75, '-'));
    EXPECT_EQ(TablesRun::after(lines, " Table 6.", 10, 6), letterRows);
    EXPECT_EQ(lines.back(), " " + std::string(75, '-'));
}

TEST(PairTables, MoreGroupsThanLettersTakeOneLine) {
    TablesRun run;
    testing::ResultBuilder& s = run.result;
    s.count(26);
    for (int i = 1; i <= 26; ++i) {
        s.treatment(i, {"H" + std::to_string(i), 0.5, 0.5, 0, 0.01, 10, 100});
        for (int j = i + 1; j <= 26; ++j) {
            // 1-2, 3-4, ..., 25-26 differ: a group takes one of each, 2^13 groups.
            s.at(i, j).result.pValue = (i % 2 == 1 && j == i + 1) ? 0.01 : 0.5;
        }
    }
    const std::vector<std::string> lines = run.write();
    EXPECT_EQ(TablesRun::after(lines, " Table 6.", 10, 2),
              (std::vector<std::string>{
                  " Not marked: the treatments form 8192 groups that do not differ, more than the 52 letters a-z, A-Z.",
                  " " + std::string(75, '-')}));
}

}  // namespace
}  // namespace cpt
