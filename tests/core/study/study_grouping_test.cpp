#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/user_error.h"
#include "core/study/study_grouping.h"

namespace cpt {
namespace {

Treatment treatment(std::string name, std::string code, std::string source = "") {
    Treatment t;
    t.name = std::move(name);
    t.code = std::move(code);
    t.source = source.empty() ? t.name + "-" + t.code + ".txt" : std::move(source);
    t.values = {1, 2, 3};
    return t;
}

std::vector<std::vector<std::string>> namesOf(const std::vector<StudyParameterGroup>& groups) {
    std::vector<std::vector<std::string>> names;
    for (const StudyParameterGroup& group : groups) {
        std::vector<std::string>& row = names.emplace_back(std::vector<std::string>{group.parameter});
        for (const Treatment& t : group.treatments) row.push_back(t.name);
    }
    return names;
}

TEST(StudyGrouping, ParametersInOrderOfFirstAppearanceTreatmentsInOrderGiven) {
    const std::vector<StudyParameterGroup> groups =
        groupByParameter({treatment("Wheat", "r"), treatment("Wheat", "R0"), treatment("Maize", "lambda"),
                          treatment("Maize", "r"), treatment("Oat", "R0"), treatment("Wheat", "lambda")});
    const std::vector<std::vector<std::string>> expected{
        {"r", "Wheat", "Maize"}, {"R0", "Wheat", "Oat"}, {"lambda", "Maize", "Wheat"}};
    EXPECT_EQ(namesOf(groups), expected);
    EXPECT_EQ(groups[1].treatments[1].source, "Oat-R0.txt");  // the treatments themselves travel
}

TEST(StudyGrouping, RefusalsNameTheSourcesAndTheParameter) {
    struct Case {
        const char* label;
        std::vector<Treatment> treatments;
        std::vector<std::string> messageParts;
    };
    std::vector<Treatment> crowded;
    for (int t = 0; t < 27; ++t) crowded.push_back(treatment("T" + std::to_string(t), "r"));
    const Case cases[] = {
        {"one treatment", {treatment("Maize", "r"), treatment("Oat", "r"), treatment("Maize", "K")},
         {"\"K\"", "\"Maize\"", "\"Maize-K.txt\"", "at least 2"}},
        {"a pair given twice", {treatment("Maize", "r", "a.txt"), treatment("Oat", "r"), treatment("Maize", "r", "b.txt")},
         {"\"Maize\"", "\"r\"", "\"a.txt\"", "\"b.txt\""}},
        {"no code", {treatment("Maize", "r"), treatment("Oat", "")}, {"\"Oat\"", "\"Oat-.txt\"", "no parameter"}},
        {"more than the test takes", crowded, {"\"r\"", "27 treatments", "26"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        try {
            groupByParameter(c.treatments);
            ADD_FAILURE() << "not refused";
        } catch (const UserError& error) {
            const std::string message = error.what();
            for (const std::string& part : c.messageParts) EXPECT_NE(message.find(part), std::string::npos) << message;
        }
    }
}

// The same treatment name under two parameters is one column, not a repeat.
TEST(StudyGrouping, OptionsAreCheckedOnTheNamesBeforeAnyRun) {
    const std::vector<StudyParameterGroup> groups =
        groupByParameter({treatment("Maize", "r"), treatment("Oat", "r"), treatment("Maize", "R0"), treatment("Rye", "R0")});
    StudyOptions options;
    EXPECT_NO_THROW(checkStudyOptions(groups, options));
    options.treatmentOrder = {"Rye", "Oat", "Maize"};
    EXPECT_NO_THROW(checkStudyOptions(groups, options));
    options.treatmentOrder = {"Rye", "Oat"};
    EXPECT_THROW(checkStudyOptions(groups, options), UserError);
    options.treatmentOrder = {"Rye", "Oat", "Maize", "Barley"};
    EXPECT_THROW(checkStudyOptions(groups, options), UserError);
    options.treatmentOrder = {};
    options.digits = 0;
    EXPECT_THROW(checkStudyOptions(groups, options), UserError);
}

}  // namespace
}  // namespace cpt
