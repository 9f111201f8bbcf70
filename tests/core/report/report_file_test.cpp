#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/common/pending_file.h"
#include "core/common/user_error.h"
#include "core/report/report_file.h"
#include "desktop_model/report/report_dialogue.h"
#include "core/report/report_file_name.h"
#include "core/report/report_timing.h"
#include "support/app_fixture.h"

namespace cpt {
namespace {

using testing::AppFixture;

constexpr const char* CodeTitle = "Add a code to the output filename?";
constexpr const char* FailureTitle = "The report file cannot be created";

struct NameRun : AppFixture {
    NameRun() {
        context.state.OutputPrefix = "25A-Cartesian diff";
        context.state.LastTreatmentCode = "R0";
        clock.set({2026, 12, 8, 9, 5, 7});
    }
};

TEST(ReportFileName, StampAndRandomForms) {
    struct Case {
        std::optional<std::string> answer;  // nothing: the box was cancelled
        double random;
        const char* name;
    };
    const Case cases[] = {
        {"1", 0, "25A-Cartesian diff results-R0_2026128-957.txt"},
        {"A", 0.0625, "25A-Cartesian diff results-R0_A 62.txt"},  // halves to even
        {"11", 0.1875, "25A-Cartesian diff results-R0_11 188.txt"},
        {std::nullopt, 0.9990234375, "25A-Cartesian diff results-R0_ 999.txt"},
        {"", 0.99999, "25A-Cartesian diff results-R0_ 1000.txt"},
        {"dose 1/2", 0.0625, "25A-Cartesian diff results-R0_dose 1_2 62.txt"},
        {"a\\b:c*d?e\"f<g>h|i\tj\x7F", 0.0625, "25A-Cartesian diff results-R0_a_b_c_d_e_f_g_h_i_j_ 62.txt"},
    };
    for (const Case& c : cases) {
        NameRun run;
        run.clock.queueRandom(c.random);
        run.dialogs.answerInput(CodeTitle, c.answer);
        PendingFile report;
        openReportFile(run.context, report);
        report.commit();
        EXPECT_EQ(run.context.state.OutputFileName, c.name);
        EXPECT_EQ(run.folder.files(), std::vector<std::string>{c.name});
        EXPECT_EQ(run.dialogs.beeps, 1);
    }
}

TEST(ReportFileName, TreatmentCodeFromTheDataIsMadeFitForAName) {
    NameRun run;
    run.context.state.LastTreatmentCode = "L/D 16:8";
    run.dialogs.answerInput(CodeTitle, "1");
    PendingFile report;
    openReportFile(run.context, report);
    report.commit();
    EXPECT_EQ(run.context.state.OutputFileName, "25A-Cartesian diff results-L_D 16_8_2026128-957.txt");
    EXPECT_EQ(run.context.state.LastTreatmentCode, "L/D 16:8");
}

// The search for a free name is bounded: a name the system cuts short (or a
// folder full of earlier reports) ends it with a message, and the code is asked again.
TEST(ReportFileName, SearchForAFreeNameIsBounded) {
    NameRun run;
    const std::string name = "25A-Cartesian diff results-R0_2026128-957.txt";
    for (int number = 1; number <= MaxNameNumber; ++number) run.folder.write(numberedFileName(name, number), "");
    run.dialogs.answerInput(CodeTitle, "1").answerMessage(FailureTitle, AnswerOk).answerInput(CodeTitle, "A");
    run.clock.queueRandom(0.5);
    PendingFile report;
    openReportFile(run.context, report);
    report.commit();
    EXPECT_EQ(run.context.state.OutputFileName, "25A-Cartesian diff results-R0_A 500.txt");
    const std::string& prompt = run.dialogs.shown.at(1).prompt;
    EXPECT_NE(prompt.find("No free name was found for the report"), std::string::npos) << prompt;
    EXPECT_NE(prompt.find("999 numbered names"), std::string::npos) << prompt;
}

TEST(ReportFileName, NeverReplacesAnExistingFile) {
    NameRun run;
    run.folder.write("25A-Cartesian diff results-R0_2026128-957.txt", "first");
    run.folder.write("25A-Cartesian diff results-R0_2026128-957 (2).txt", "second");
    run.dialogs.answerInput(CodeTitle, "1");
    PendingFile report;
    openReportFile(run.context, report);
    report.commit();
    EXPECT_EQ(run.context.state.OutputFileName, "25A-Cartesian diff results-R0_2026128-957 (3).txt");
    EXPECT_EQ(testing::readFile(run.folder.path() / "25A-Cartesian diff results-R0_2026128-957.txt"), "first");
    EXPECT_EQ(testing::readFile(run.folder.path() / "25A-Cartesian diff results-R0_2026128-957 (2).txt"), "second");
    EXPECT_EQ(numberedFileName("x.txt", 12), "x (12).txt");
}

TEST(ReportFileName, UncreatableFileIsReportedAndTheCodeAskedAgain) {
    NameRun run;
    const std::string tooLong(300, 'x');
    run.dialogs.answerInput(CodeTitle, tooLong)
        .answerMessage(FailureTitle, AnswerOk)
        .answerInput(CodeTitle, "1");
    run.clock.queueRandom(0.5);
    PendingFile report;
    openReportFile(run.context, report);
    report.commit();

    EXPECT_EQ(run.context.state.OutputFileName, "25A-Cartesian diff results-R0_2026128-957.txt");
    EXPECT_EQ(run.folder.files(), std::vector<std::string>{run.context.state.OutputFileName});
    const std::string& prompt = run.dialogs.shown.at(1).prompt;
    EXPECT_NE(prompt.find("results-R0_" + tooLong + " 500.txt"), std::string::npos) << prompt;
    EXPECT_NE(prompt.find("File name too long"), std::string::npos) << prompt;
    EXPECT_TRUE(run.dialogs.allAnswered());
}

TEST(ReportFileName, CancelAfterAnUncreatableFileEndsWithoutAFile) {
    NameRun run;
    run.dialogs.answerInput(CodeTitle, std::string(300, 'x')).answerMessage(FailureTitle, AnswerCancel);
    PendingFile report;
    EXPECT_THROW(openReportFile(run.context, report), Cancelled);
    EXPECT_TRUE(run.folder.files().empty());
}

TEST(ReportTiming, TotalTimeForms) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "Total time = 0 sec."},         {119, "Total time = 119 sec."},
        {120, "Total time = 2 min."},       {150, "Total time = 2.5 min."},
        {127, "Total time = 2.12 min."},    {3599, "Total time = 59.98 min."},
        {3600, "Total time = 1 hr."},       {5400, "Total time = 1.5 hr."},
        {90000, "Total time = 25 hr."},
    };
    for (const auto& [seconds, text] : cases) EXPECT_EQ(totalTimeText(seconds), text) << seconds;
}

TEST(ReportFileName, StampWithoutLeadingZeros) {
    EXPECT_EQ(compactStamp({2026, 1, 2, 0, 0, 0}), "202612-000");
    EXPECT_EQ(compactStamp({2026, 11, 30, 23, 59, 59}), "20261130-235959");
}

}  // namespace
}  // namespace cpt
