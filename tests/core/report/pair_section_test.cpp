#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/analysis/cartesian_result.h"
#include "core/common/output_file.h"
#include "core/common/print_line.h"
#include "core/report/pair_section.h"
#include "support/test_files.h"

namespace cpt {
namespace {

// Two treatments whose one pair differs with the given P.
CartesianResult twoTreatments(std::int32_t bootstrapNumber, double pValue) {
    CartesianResult result;
    for (const double mean : {0.5, 0.2}) {
        TreatmentStatistics& t = result.treatments.emplace_back();
        t.name = mean > 0.3 ? "Maize" : "Wheat";
        t.code = "r";
        t.sampleSize = 20;
        t.bootstrapNumber = bootstrapNumber;
        t.estimate = t.mean = t.orderingMean = mean;
        t.variance = 0.0001;
        t.sd = 0.01;
    }
    result.treatments[1].entry = 1;
    PairOutcome& pair = result.pairs.emplace_back();
    pair.first = 0;
    pair.second = 1;
    pair.direction = directionOf(0.5, 0.2);
    pair.meanDifference = 0.3;
    pair.result.mean = 0.3;
    pair.result.tLower = pair.result.percentileLower = 0.28;
    pair.result.tUpper = pair.result.percentileUpper = 0.32;
    pair.result.pValue = pValue;
    pair.result.significant = static_cast<std::int64_t>(bootstrapNumber) * bootstrapNumber;
    return result;
}

// The section's lines that tell what to report for a P of 0.
std::vector<std::string> zeroPNotes(const CartesianResult& result) {
    testing::TempFolder folder;
    {
        OutputFile file(folder.path() / "section.txt");
        PrintLine line(file);
        writePairSection(line, result, 0, 1);
        file.close();
    }
    std::vector<std::string> notes;
    for (const std::string& line : testing::readLines(folder.path() / "section.txt")) {
        if (line.find("if P = 0") != std::string::npos) notes.push_back(line);
    }
    return notes;
}

// Hashed as the section's other lines: the mark in column 72.
std::string hashed(std::string text) {
    text.resize(71, ' ');
    return text + "#";
}

// A P of 0 may be reported as below 1/B, at the round B a user chooses.
TEST(PairSection, APOfZeroIsNotedAsBelowOneOverBAtEachRoundB) {
    const struct {
        std::int32_t bootstrapNumber;
        double pValue;
        const char* note;  // null: none
    } cases[] = {
        {100000, 0, "# Because B is limited, if P = 0, you can report P < 0.00001."},
        {10000, 0, "# Because B is limited, if P = 0, you can report P < 0.0001."},
        {1000, 0, "# Because B is limited, if P = 0, you can report P < 0.001."},
        {100, 0, "# Because B is limited, if P = 0, you can report P < 0.01."},
        {100001, 0, nullptr},
        {99999, 0, nullptr},
        {10001, 0, nullptr},
        {1001, 0, nullptr},
        {999, 0, nullptr},
        {101, 0, nullptr},
        {200, 0, nullptr},
        {1000, 0.001, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "B = " << c.bootstrapNumber << ", P = " << c.pValue);
        const std::vector<std::string> notes = zeroPNotes(twoTreatments(c.bootstrapNumber, c.pValue));
        if (c.note == nullptr) {
            EXPECT_EQ(notes, std::vector<std::string>{});
        } else {
            EXPECT_EQ(notes, std::vector<std::string>{hashed(c.note)});
        }
    }
}

}  // namespace
}  // namespace cpt
