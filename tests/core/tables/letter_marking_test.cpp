#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/common/output_file.h"
#include "core/common/print_line.h"
#include "core/report/letter_rows.h"
#include "core/tables/letter_tables.h"
#include "support/sample_results.h"
#include "support/app_fixture.h"

namespace cpt {
namespace {

using testing::AppFixture;
using testing::readLines;

bool shareLetter(std::string_view a, std::string_view b) {
    return a.substr(1).find_first_of(b.substr(1)) != std::string_view::npos;
}

// Checks one marking against the rules; the flags are read from the pattern
// in pair order (1,2), (1,3), ..., first pair highest.
template <std::size_t N>
void expectFollowsRules(const std::array<std::string_view, N>& labels, int pattern, int pairCount) {
    SCOPED_TRACE("pattern " + std::to_string(pattern));
    std::set<char> used;
    for (std::string_view label : labels) {
        ASSERT_GE(label.size(), 2u) << label;
        EXPECT_EQ(label[0], ' ') << label;
        for (std::size_t k = 1; k < label.size(); ++k) {
            EXPECT_TRUE(label[k] >= 'a' && label[k] <= 'd') << label;
            if (k > 1) {
                EXPECT_LT(label[k - 1], label[k]) << "not alphabetical: " << label;
            }
            used.insert(label[k]);
        }
    }
    EXPECT_EQ(labels[0][1], 'a');
    // From "a" without a gap.
    EXPECT_EQ(*used.rbegin() - 'a' + 1, static_cast<int>(used.size()));

    int bit = pairCount - 1;
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = i + 1; j < N; ++j, --bit) {
            const bool significant = (pattern >> bit) & 1;
            EXPECT_EQ(shareLetter(labels[i], labels[j]), !significant)
                << "treatments " << i + 1 << " and " << j + 1 << ": " << labels[i] << " /" << labels[j];
        }
    }
}

TEST(LetterMarking, EveryEntryFollowsTheRules) {
    for (int pattern = 0; pattern < 2; ++pattern) expectFollowsRules(TwoTreatmentMarking[pattern], pattern, 1);
    for (int pattern = 0; pattern < 8; ++pattern) expectFollowsRules(ThreeTreatmentMarking[pattern], pattern, 3);
    for (int pattern = 0; pattern < 64; ++pattern) expectFollowsRules(FourTreatmentMarking[pattern], pattern, 6);
}

struct FourCase {
    const char* what;
    std::array<double, 6> pValues;  // (1,2) (1,3) (1,4) (2,3) (2,4) (3,4)
    std::array<const char*, 4> labels;
};

TEST(LetterMarking, FourTreatmentRowsFollowThePattern) {
    const FourCase cases[] = {
        {"no pair significant", {0.5, 0.5, 0.5, 0.5, 0.5, 0.5}, {" a", " a", " a", " a"}},
        {"every pair significant", {0, 0, 0, 0, 0, 0}, {" a", " b", " c", " d"}},
        {"001 100, P exactly 0.05 counts", {0.06, 0.051, 0.05, 0.01, 0.9, 1}, {" ab", " ac", " bd", " cd"}},
        {"an open pattern, 100 000", {0.01, 0.2, 0.2, 0.2, 0.2, 0.2}, {" a", " b", " ab", " ab"}},
    };
    for (const FourCase& c : cases) {
        SCOPED_TRACE(c.what);
        AppFixture f;
        testing::ResultBuilder s(4);
        const char* names[] = {"", "W", "X", "Y", "Z"};
        for (int t = 1; t <= 4; ++t) s.treatment(t, {names[t], 5.0 - t, 5.0 - t, 0.25, 0.5, 20, 100});
        int k = 0;
        for (int i = 1; i <= 4; ++i) {
            for (int j = i + 1; j <= 4; ++j) s.at(i, j).result.pValue = c.pValues[k++];
        }
        OutputFile report(f.folder.path() / "rows.txt");
        PrintLine line(report);
        writeLetterRows(line, s.build());
        report.close();

        std::vector<std::string> expected;
        for (int t = 1; t <= 4; ++t) {
            std::string row = std::string(" ") + names[t] + std::string(12, ' ') + " " + std::to_string(5 - t) +
                              std::string(23, ' ') + " .5 " + std::string(21, ' ') + c.labels[t - 1];
            expected.push_back(row);
        }
        EXPECT_EQ(readLines(f.folder.path() / "rows.txt"), expected);
    }
}

}  // namespace
}  // namespace cpt
