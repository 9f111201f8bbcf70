#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/tables/group_letters.h"
#include "core/tables/letter_tables.h"
#include "core/tables/similar_groups.h"

namespace cpt {
namespace {

// Pair flags of n treatments from a pattern read as in the marking tables:
// pair (1,2) is the highest bit.
std::vector<bool> flagsOf(unsigned pattern, int n) {
    const int pairs = n * (n - 1) / 2;
    std::vector<bool> flags;
    for (int bit = pairs - 1; bit >= 0; --bit) flags.push_back(((pattern >> bit) & 1U) != 0);
    return flags;
}

// Flags from a digit string such as "100 001" (blanks ignored).
std::vector<bool> flagsOf(std::string digits) {
    std::erase(digits, ' ');
    std::vector<bool> flags;
    for (char c : digits) flags.push_back(c == '1');
    return flags;
}

GroupLettering lettering(int n, const std::vector<bool>& flags) {
    return letterBySimilarGroups(n, flags);
}

bool shareLetter(const std::string& a, const std::string& b) {
    return a.substr(1).find_first_of(b.substr(1)) != std::string::npos;
}

// The maximal groups the slow way: every subset, kept when no two members
// differ and no other treatment could join.
std::vector<TreatmentSet> groupsByEnumeration(const std::vector<TreatmentSet>& differs) {
    const int n = static_cast<int>(differs.size());
    auto similarToAll = [&](TreatmentSet set, int t) { return (differs[static_cast<std::size_t>(t)] & set) == 0; };
    std::vector<TreatmentSet> groups;
    for (TreatmentSet set = 1; set < (TreatmentSet{1} << n); ++set) {
        bool together = true;
        bool extendable = false;
        for (int t = 0; t < n; ++t) {
            const bool member = (set >> t) & 1U;
            if (member && !similarToAll(set, t)) together = false;
            if (!member && similarToAll(set, t)) extendable = true;
        }
        if (together && !extendable) groups.push_back(set);
    }
    return groups;
}

std::vector<int> members(TreatmentSet set) {
    std::vector<int> list;
    for (int t = 0; t < 32; ++t) {
        if ((set >> t) & 1U) list.push_back(t + 1);
    }
    return list;
}

TEST(SimilarGroups, EveryPatternOfFiveTreatmentsFollowsTheDefinition) {
    constexpr int n = 5;
    for (unsigned pattern = 0; pattern < (1U << 10); ++pattern) {
        SCOPED_TRACE("pattern " + std::to_string(pattern));
        const std::vector<bool> flags = flagsOf(pattern, n);
        const std::vector<TreatmentSet> differs = differingSets(n, flags);
        const std::vector<TreatmentSet> groups = maximalSimilarGroups(differs);

        std::vector<TreatmentSet> expected = groupsByEnumeration(differs);
        std::sort(expected.begin(), expected.end(),
                  [](TreatmentSet a, TreatmentSet b) { return members(a) < members(b); });
        EXPECT_EQ(groups, expected);

        const GroupLettering letters = lettering(n, flags);
        ASSERT_EQ(letters.groupCount, groups.size());
        ASSERT_EQ(letters.labels.size(), static_cast<std::size_t>(n));
        int k = 0;
        for (int i = 0; i < n; ++i) {
            for (int j = i + 1; j < n; ++j, ++k) {
                EXPECT_EQ(shareLetter(letters.labels[i], letters.labels[j]), !flags[static_cast<std::size_t>(k)])
                    << "treatments " << i + 1 << " and " << j + 1;
            }
        }
        // Each letter's treatments form one group, maximal, and no two letters
        // share their treatments.
        std::vector<TreatmentSet> byLetter;
        for (std::size_t g = 0; g < letters.groupCount; ++g) {
            TreatmentSet set = 0;
            for (int t = 0; t < n; ++t) {
                if (letters.labels[t].find(groupLetter(g)) != std::string::npos) set |= TreatmentSet{1} << t;
            }
            byLetter.push_back(set);
        }
        EXPECT_EQ(byLetter, expected);
        for (const std::string& label : letters.labels) {
            EXPECT_EQ(label[0], ' ');
            EXPECT_TRUE(std::is_sorted(label.begin() + 1, label.end())) << label;
        }
    }
}

struct LetterCase {
    const char* what;
    int n;
    const char* pattern;  // pair flags in pair order, blanks for reading only
    std::vector<std::string> labels;
};

TEST(SimilarGroups, LabelsOfKnownPatterns) {
    const LetterCase cases[] = {
        {"five, none differs", 5, "0000 000 00 0", {" a", " a", " a", " a", " a"}},
        {"five, all differ", 5, "1111 111 11 1", {" a", " b", " c", " d", " e"}},
        {"five, only 1 and 5 differ", 5, "0001 000 00 0", {" a", " ab", " ab", " ab", " b"}},
        {"five, neighbours alike only", 5, "0111 011 01 0", {" a", " ab", " bc", " cd", " d"}},
        {"five, 1 apart, the rest alike", 5, "1111 000 00 0", {" a", " b", " b", " b", " b"}},
        {"five, two blocks", 5, "0111 111 00 0", {" a", " a", " b", " b", " b"}},
        // Differences 1-2-3-4-5-6-1 leave {1,3,5} {1,4} {2,4,6} {2,5} {3,6}.
        {"six, a ring of differences", 6, "10001 1000 100 10 1", {" ab", " cd", " ae", " bc", " ad", " ce"}},
        {"two, as the fixed table", 2, "1", {" a", " b"}},
        {"three 001, as the fixed table", 3, "001", {" ab", " a", " b"}},
    };
    for (const LetterCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(lettering(c.n, flagsOf(c.pattern)).labels, c.labels);
    }
}

TEST(SimilarGroups, GivesTheFixedTablesOfTwoAndThreeAndTheNineOpenFourTreatmentEntries) {
    for (unsigned p = 0; p < 2; ++p) {
        const GroupLettering l = lettering(2, flagsOf(p, 2));
        EXPECT_EQ(l.labels, std::vector<std::string>(TwoTreatmentMarking[p].begin(), TwoTreatmentMarking[p].end()));
    }
    for (unsigned p = 0; p < 8; ++p) {
        const GroupLettering l = lettering(3, flagsOf(p, 3));
        EXPECT_EQ(l.labels, std::vector<std::string>(ThreeTreatmentMarking[p].begin(), ThreeTreatmentMarking[p].end()))
            << "pattern " << p;
    }
    const unsigned open[] = {0b100000, 0b100001, 0b100010, 0b100011, 0b100100,
                             0b100101, 0b100110, 0b100111, 0b110000};
    for (unsigned p : open) {
        const GroupLettering l = lettering(4, flagsOf(p, 4));
        EXPECT_EQ(l.labels, std::vector<std::string>(FourTreatmentMarking[p].begin(), FourTreatmentMarking[p].end()))
            << "pattern " << p;
    }
}

// Treatments 1-2, 3-4, ... differ, no others: a group takes one of each pair.
std::vector<bool> matchingFlags(int n) {
    std::vector<bool> flags;
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) flags.push_back(i % 2 == 0 && j == i + 1);
    }
    return flags;
}

TEST(SimilarGroups, TwentySixTreatments) {
    // All differ: one group each, letters a to z.
    const GroupLettering apart = lettering(26, std::vector<bool>(325, true));
    ASSERT_EQ(apart.groupCount, 26u);
    EXPECT_EQ(apart.labels.front(), " a");
    EXPECT_EQ(apart.labels.back(), " z");

    // 13 pairs that differ, alike otherwise: 2^13 groups, no letters.
    const GroupLettering many = lettering(26, matchingFlags(26));
    EXPECT_EQ(many.groupCount, 8192u);
    EXPECT_TRUE(many.labels.empty());

    // Moon-Moser worst case: eight triangles and one pair of treatments that
    // differ within, alike across: 3^8 * 2 groups.
    std::vector<bool> triangles;
    for (int i = 0; i < 26; ++i) {
        for (int j = i + 1; j < 26; ++j) triangles.push_back(i / 3 == j / 3);
    }
    const std::vector<TreatmentSet> differs = differingSets(26, triangles);
    const std::vector<TreatmentSet> groups = maximalSimilarGroups(differs);
    EXPECT_EQ(groups.size(), 13122u);
    EXPECT_TRUE(std::is_sorted(groups.begin(), groups.end(),
                               [](TreatmentSet a, TreatmentSet b) { return members(a) < members(b); }));
}

TEST(SimilarGroups, LettersRunPastZIntoCapitals) {
    // 27 groups need "A": 27 treatments would exceed the program's 26, so a
    // group list is lettered directly.
    std::vector<TreatmentSet> groups;
    for (int g = 0; g < 27; ++g) groups.push_back(TreatmentSet{1} << g);
    const GroupLettering l = letterGroups(groups, 27);
    EXPECT_EQ(l.labels[25], " z");
    EXPECT_EQ(l.labels[26], " A");
    EXPECT_EQ(groupLetter(51), 'Z');
    EXPECT_THROW(groupLetter(52), std::out_of_range);
}

// Up to the grouping's capacity every treatment gets its letters, and no
// letter goes past the last treatment.
TEST(SimilarGroups, LettersEveryTreatmentUpToTheCapacity) {
    for (const int n : {TreatmentSetCapacity - 1, TreatmentSetCapacity}) {
        SCOPED_TRACE(n);
        const std::size_t pairs = static_cast<std::size_t>(n * (n - 1) / 2);
        EXPECT_EQ(lettering(n, std::vector<bool>(pairs, false)).labels,
                  std::vector<std::string>(static_cast<std::size_t>(n), " a"));
        std::vector<std::string> oneEach;
        for (int t = 0; t < n; ++t) oneEach.push_back(std::string(" ") + groupLetter(static_cast<std::size_t>(t)));
        EXPECT_EQ(lettering(n, std::vector<bool>(pairs, true)).labels, oneEach);
    }
}

TEST(SimilarGroups, RefusesWrongInput) {
    EXPECT_THROW(lettering(5, std::vector<bool>(9, false)), std::invalid_argument);
    EXPECT_THROW(lettering(33, std::vector<bool>(528, false)), std::invalid_argument);
}

}  // namespace
}  // namespace cpt
