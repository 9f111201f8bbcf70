#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/common/user_error.h"
#include "core/study/study_rounding.h"
#include "core/study/study_table.h"
#include "support/study_sample.h"

namespace cpt {
namespace {

using testing::MixedName;
using testing::sampleStudyRuns;
using testing::studyResult;
using testing::studyTreatment;

std::vector<std::vector<std::string>> cellTexts(const StudyTable& table) {
    std::vector<std::vector<std::string>> texts;
    for (const StudyRow& row : table.rows) {
        std::vector<std::string>& line = texts.emplace_back();
        for (const auto& cell : row.cells) line.push_back(cell ? cell->text : "-");
    }
    return texts;
}

TEST(StudyTable, CellsHoldEstimateErrorAndLettersInEntryOrderColumns) {
    const StudyTable table = buildStudyTable(sampleStudyRuns());
    EXPECT_EQ(table.treatments, (std::vector<std::string>{"Maize", "Sorghum", "Wheat", MixedName}));
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0].parameter, "r");
    EXPECT_EQ(table.rows[1].parameter, "lambda");
    EXPECT_EQ(table.rows[2].parameter, "R_0");
    const std::vector<std::vector<std::string>> expected{
        {"0.1512 \u00B1 0.0059 a", "0.1405 \u00B1 0.0061 b", "0.1450 \u00B1 0.0059 ab", "0.1300 \u00B1 0.0072 c"},
        {"1.1633 \u00B1 0.0068 a", "1.1508 \u00B1 0.0071 a", "1.16 \u00B1 0.10 a", "1.1389 \u00B1 0.0083 b"},
        {"48 \u00B1 12 a", "31.2 \u00B1 1.4 b", "40 \u00B1 0 ab", "-"},
    };
    EXPECT_EQ(cellTexts(table), expected);
    const StudyCell& wheatR = *table.rows[0].cells[2];
    EXPECT_EQ(wheatR.estimate, 0.1450);
    EXPECT_EQ(wheatR.standardError, 0.0059);
    EXPECT_EQ(wheatR.letters, "ab");
    EXPECT_EQ(wheatR.sampleSize, 29);
    EXPECT_EQ(wheatR.bootstrapNumber, 200);
    EXPECT_EQ(wheatR.values, "0.1450 \u00B1 0.0059");
    EXPECT_EQ(table.rows[2].cells[0]->bootstrapNumber, 1000);
}

TEST(StudyTable, TidyRowsFollowTheTableParameterByParameter) {
    const StudyTable table = buildStudyTable(sampleStudyRuns());
    ASSERT_EQ(table.tidyRows.size(), 11u);
    EXPECT_EQ(table.tidyRows[3].parameter, "r");
    EXPECT_EQ(table.tidyRows[3].treatment, MixedName);
    EXPECT_EQ(table.tidyRows[4].parameter, "lambda");
    EXPECT_EQ(table.tidyRows[4].treatment, "Maize");
    EXPECT_EQ(table.tidyRows[10].parameter, "R_0");
    EXPECT_EQ(table.tidyRows[10].treatment, "Wheat");
    EXPECT_EQ(table.tidyRows[10].cell.text, "40 \u00B1 0 ab");
}

TEST(StudyTable, NoteGivesBOncePerValueAndTheLetterRule) {
    const StudyTable table = buildStudyTable(sampleStudyRuns());
    ASSERT_EQ(table.note.size(), 1u);
    EXPECT_EQ(table.note[0],
              "Values are full-sample estimates \u00B1 SE (bootstrap standard deviation; B = 200 for r and lambda; "
              "B = 1000 for R_0). Values in a row followed by the same letter do not differ (Cartesian paired test, "
              "alpha = 0.05).");

    std::vector<StudyParameterRun> sameB = sampleStudyRuns();
    sameB.pop_back();
    EXPECT_EQ(buildStudyTable(sameB).note.front(),
              "Values are full-sample estimates \u00B1 SE (bootstrap standard deviation, B = 200). Values in a row "
              "followed by the same letter do not differ (Cartesian paired test, alpha = 0.05).");

    std::vector<StudyParameterRun> ownNote = sampleStudyRuns();
    ownNote[1].bootstrapNote = "1000";
    ownNote[0].result.treatments[3].bootstrapNumber = 180;
    EXPECT_NE(buildStudyTable(ownNote).note.front().find("B = 180 to 200 for r; B = 1000 for lambda and R_0)."),
              std::string::npos);
}

TEST(StudyTable, MoreGroupsThanLettersLeaveTheRowUnmarkedWithANote) {
    std::vector<StudyParameterRun> runs = sampleStudyRuns();
    runs[1].result.letters = GroupLettering{60, {}};
    const StudyTable table = buildStudyTable(runs);
    EXPECT_EQ(table.rows[1].cells[0]->text, "1.1633 \u00B1 0.0068");
    EXPECT_EQ(table.rows[1].cells[0]->letters, "");
    EXPECT_EQ(table.rows[0].cells[0]->text, "0.1512 \u00B1 0.0059 a");
    ASSERT_EQ(table.note.size(), 2u);
    EXPECT_EQ(table.note[1],
              "No letters for lambda: its treatments form 60 groups that do not differ, more than the 52 letters "
              "a-z, A-Z.");
    EXPECT_NE(table.note[0].find("followed by the same letter"), std::string::npos);

    for (StudyParameterRun& run : runs) run.result.letters = GroupLettering{60, {}};
    EXPECT_EQ(buildStudyTable(runs).note[0].find("same letter"), std::string::npos);
}

TEST(StudyTable, GivenOrderSetsTheColumns) {
    StudyOptions options;
    options.treatmentOrder = {"Wheat", MixedName, "Maize", "Sorghum"};
    const StudyTable table = buildStudyTable(sampleStudyRuns(), options);
    EXPECT_EQ(table.treatments, options.treatmentOrder);
    EXPECT_EQ(table.rows[0].cells[0]->text, "0.1450 \u00B1 0.0059 ab");
    EXPECT_FALSE(table.rows[2].cells[1].has_value());
    EXPECT_EQ(table.tidyRows[0].treatment, "Wheat");
}

TEST(StudyTable, ColumnsByFirstAppearanceTakeLaterParametersNewTreatmentsLast) {
    std::vector<StudyParameterRun> runs(2);
    runs[0].parameter = "T";
    runs[0].result = studyResult({studyTreatment("B", 1, 5, 1), studyTreatment("A", 0, 4, 1)}, {" a", " a"}, 1);
    runs[1].parameter = "F";
    runs[1].result = studyResult({studyTreatment("C", 2, 9, 1), studyTreatment("A", 0, 3, 1)}, {" a", " b"}, 2);
    const StudyTable table = buildStudyTable(runs);
    EXPECT_EQ(table.treatments, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(cellTexts(table), (std::vector<std::vector<std::string>>{{"4.0 \u00B1 1.0 a", "5.0 \u00B1 1.0 a", "-"},
                                                                       {"3.0 \u00B1 1.0 b", "-", "9.0 \u00B1 1.0 a"}}));
}

TEST(StudyTable, DigitsSetTheRounding) {
    StudyOptions options;
    options.digits = 3;
    EXPECT_EQ(buildStudyTable(sampleStudyRuns(), options).rows[0].cells[0]->text, "0.15123 \u00B1 0.00588 a");
    // Both ends of the range are taken.
    options.digits = 1;
    EXPECT_EQ(buildStudyTable(sampleStudyRuns(), options).rows[0].cells[0]->text, "0.151 \u00B1 0.006 a");
    options.digits = MaxStudyDigits;
    EXPECT_TRUE(buildStudyTable(sampleStudyRuns(), options).rows[0].cells[0]->text.ends_with(
        " \u00B1 0.00588000000000000 a"));
}

struct Refusal {
    const char* what;
    std::function<void(std::vector<StudyParameterRun>&, StudyOptions&)> change;
    const char* message;
};

TEST(StudyTable, RefusesStudiesItCannotTabulate) {
    const Refusal refusals[] = {
        {"no parameters", [](auto& runs, auto&) { runs.clear(); }, "A study table needs at least one parameter."},
        {"unknown name", [](auto&, auto& options) { options.treatmentOrder = {"Maize", "Sorghum", "Wheat", MixedName, "Oats"}; },
         "The treatment order names \"Oats\" (name 5), which no parameter's run has."},
        {"name left out", [](auto&, auto& options) { options.treatmentOrder = {"Maize", "Sorghum", "Wheat"}; },
         "The treatment \"Rice & beans, 50%\" of parameter \"r\" is not in the treatment order."},
        {"name twice", [](auto&, auto& options) { options.treatmentOrder = {"Maize", "Sorghum", "Maize", "Wheat", MixedName}; },
         "The treatment order names \"Maize\" twice."},
        {"parameter twice", [](auto& runs, auto&) { runs[2].parameter = "r"; },
         "The parameter \"r\" is given twice (parameters 1 and 3)."},
        {"parameter without a name", [](auto& runs, auto&) { runs[1].parameter = ""; },
         "Parameter 2 of the study has no name."},
        {"treatment twice", [](auto& runs, auto&) { runs[1].result.treatments[2].name = "Maize"; },
         "The treatment \"Maize\" appears twice in the run of parameter \"lambda\"."},
        {"no treatments", [](auto& runs, auto&) { runs[0].result = CartesianResult{}; },
         "The run of parameter \"r\" has no treatments."},
        {"digits", [](auto&, auto& options) { options.digits = 0; },
         "The number of significant digits must be 1 to 15; it is 0."},
        {"digits beyond the largest", [](auto&, auto& options) { options.digits = MaxStudyDigits + 1; },
         "The number of significant digits must be 1 to 15; it is 16."},
        {"long name", [](auto&, auto& options) { options.treatmentOrder = {std::string(100, 'x')}; },
         nullptr},
    };
    for (const Refusal& refusal : refusals) {
        std::vector<StudyParameterRun> runs = sampleStudyRuns();
        StudyOptions options;
        refusal.change(runs, options);
        try {
            buildStudyTable(runs, options);
            ADD_FAILURE() << refusal.what << ": accepted";
        } catch (const UserError& error) {
            if (refusal.message != nullptr) {
                EXPECT_EQ(std::string(error.what()), refusal.message) << refusal.what;
            } else {
                EXPECT_NE(std::string(error.what()).find(std::string(80, 'x') + "\u2026\""), std::string::npos);
            }
        }
    }
}

}  // namespace
}  // namespace cpt
