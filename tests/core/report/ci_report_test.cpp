#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/common/user_error.h"
#include "core/analysis/cartesian_run.h"
#include "desktop_model/cartesian/difference_engine.h"
#include "desktop_model/state/control_names.h"
#include "support/sample_results.h"
#include "support/app_fixture.h"

namespace cpt {
namespace {

using testing::AppFixture;
using testing::readFile;
using testing::readLines;

constexpr const char* CodeTitle = "Add a code to the output filename?";

std::vector<std::string> goldenLines(const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(CPT_SOURCE_DIR) / "tests/core/report/golden" / name;
    const std::string text = readFile(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.pop_back();  // a checkout that turned the ends into CR LF
        lines.push_back(line);
    }
    return lines;
}

// Compares line by line, so a failure names the first line that differs.
void expectSameLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
    for (std::size_t k = 0; k < std::min(actual.size(), expected.size()); ++k) {
        if (actual[k] != expected[k]) {
            ADD_FAILURE() << "line " << k + 1 << "\n  actual:   [" << actual[k] << "]\n  expected: [" << expected[k]
                          << "]";
            return;
        }
    }
    EXPECT_EQ(actual.size(), expected.size());
}

// The flow's report of a result put together by hand, as the context's run.
void printReport(AppContext& context, const testing::ResultBuilder& result) {
    auto run = std::make_shared<CartesianRun>();
    run->result = result.build();
    context.cartesianRun = std::move(run);
    PrintMultiCIofDifference(context);
}

struct ReportRun : AppFixture {
    void startAt(DateTime start, std::int64_t runSeconds) {
        context.state.StartTime = start;
        context.state.StartStamp = "Cartesian paired test began at:" + formatDateTime(start);
        clock.set(start);
        clock.advance(runSeconds);
    }
    std::vector<std::string> report() const { return readLines(context.workingDirectory / context.state.OutputFileName); }
};

TEST(ConfidenceIntervalReport, ThreeTreatmentsGolden) {
    ReportRun run;
    testing::setThreeTreatmentTexts(run.context.state);
    run.startAt({2026, 12, 9, 22, 30, 0}, 150);
    run.dialogs.answerInput(CodeTitle, "1");
    printReport(run.context, testing::threeTreatments());

    EXPECT_EQ(run.context.state.OutputFileName, "25A-Cartesian diff results-r_2026129-223230.txt");
    EXPECT_EQ(run.folder.files(), std::vector<std::string>{run.context.state.OutputFileName});
    expectSameLines(run.report(), goldenLines("three_treatments.txt"));
    const std::string text = readFile(run.folder.path() / run.context.state.OutputFileName);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));

    const testing::ScriptedDialogs::Shown& box = run.dialogs.shown.at(0);
    EXPECT_EQ(box.prompt,
              "If you want to add a specific code for this analysis, please enter the code and press OK. "
              "If not, just click on OK.");
    EXPECT_EQ(box.defaultText, "1");
    EXPECT_EQ(run.dialogs.beeps, 2);
    EXPECT_DOUBLE_EQ(run.context.cartesianRun->result->pair(0, 2).meanDifference, 0.35);
    EXPECT_EQ(run.context.state.TableNumber, 7);

    const ControlModel& window = run.context.window;
    EXPECT_TRUE(window[control::MSFlexGrid1].visible);
    EXPECT_TRUE(window[control::MSFlexGrid1].enabled);
    EXPECT_EQ(window.grid.rows, 4);
    EXPECT_FALSE(window[control::Label2].visible);
    EXPECT_TRUE(window[control::lblBootEnd].visible);
    EXPECT_EQ(window[control::lblBootEnd].caption, "Cartesian paired test ended at:2026-12-09 22:32:30");
    EXPECT_EQ(window[control::txtDatafile].caption, "Output file is: 25A-Cartesian diff results-r_2026129-223230.txt");
    for (const char* name : {"Command21", "cmdMultiCompCI", "cmdMatchedLifeTable", "FMNmatrices"}) {
        EXPECT_FALSE(window.named(name).enabled) << name;
    }
}

// Four treatments: equal means, t lower limit 0, P exactly 0.05 after a
// significant percentile CI, a name that passes every column, F undefined,
// and the random form of the file name.
TEST(ConfidenceIntervalReport, FourTreatmentsGolden) {
    ReportRun run;
    testing::setFourTreatmentTexts(run.context.state);
    run.startAt({2026, 12, 9, 22, 30, 31}, 119);
    run.dialogs.answerInput(CodeTitle, "Host");
    run.clock.queueRandom(0.0625);  // 62.5 goes to 62
    printReport(run.context, testing::fourTreatments());

    EXPECT_EQ(run.context.state.OutputFileName, "25A-Cartesian diff results-R0_Host 62.txt");
    expectSameLines(run.report(), goldenLines("four_treatments.txt"));
}

TEST(ConfidenceIntervalReport, TwoTreatmentsHaveNoSidakLines) {
    ReportRun run;
    testing::setThreeTreatmentTexts(run.context.state);
    run.context.state.TreatmentCount = 2;
    // A clock set back an hour during the run still gives the length of the run.
    run.startAt({2026, 12, 9, 23, 32, 2}, -3600);
    run.dialogs.answerInput(CodeTitle, "1");
    printReport(run.context, testing::threeTreatments().count(2));

    std::vector<std::string> lines = run.report();
    EXPECT_EQ(lines.at(36), "  ");
    EXPECT_EQ(lines.at(37), "Comparison between Corn vs Rice");
    for (const std::string& line : lines) EXPECT_EQ(line.find("Alpha(Sidak)"), std::string::npos) << line;
    // The rule after the Sidak place is still written.
    auto zeroNote = std::find(lines.begin(), lines.end(),
                              "# Because B is limited, if P = 0, you can report P < 0.001.            #");
    ASSERT_NE(zeroNote, lines.end());
    EXPECT_EQ(*(zeroNote + 1), std::string(72, '-'));
    EXPECT_EQ(*(zeroNote + 2), std::string(72, '-'));
    EXPECT_EQ(*(zeroNote + 3), "");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Comparison between Corn vs Rice"), 1);
    EXPECT_EQ(lines.back(), "Total time = 1 hr.");
}

TEST(ConfidenceIntervalReport, TableNumbersContinueInTheNextReport) {
    ReportRun run;
    testing::setThreeTreatmentTexts(run.context.state);
    run.dialogs.answerInput(CodeTitle, "1").answerInput(CodeTitle, "1");
    printReport(run.context, testing::threeTreatments());
    const std::string first = run.context.state.OutputFileName;
    printReport(run.context, testing::threeTreatments());

    // Same second, same name: the second report goes beside the first.
    EXPECT_EQ(first, "25A-Cartesian diff results-r_2026129-22322.txt");
    EXPECT_EQ(run.context.state.OutputFileName, "25A-Cartesian diff results-r_2026129-22322 (2).txt");
    EXPECT_EQ(run.folder.files().size(), 2u);
    std::vector<std::string> titles;
    for (const std::string& line : run.report()) {
        if (line.starts_with("Table ") || line.starts_with(" Table ")) titles.push_back(line.substr(0, 10));
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Table 8. C", " Table 9. ", " Table 10.", " Table 11.", " Table 12.",
                                                " Table 13.", " Table 14."}));
    EXPECT_EQ(run.context.state.TableNumber, 14);
}

TEST(ConfidenceIntervalReport, TracesEachProcedureInTheFlowRecord) {
    ReportRun run;
    testing::setThreeTreatmentTexts(run.context.state);
    run.context.state.FlowRecord = true;
    run.context.flowFile.open(run.folder.path() / "flow.txt");
    run.dialogs.answerInput(CodeTitle, "1");
    printReport(run.context, testing::threeTreatments());
    run.context.flowFile.close();
    EXPECT_EQ(readLines(run.folder.path() / "flow.txt"),
              (std::vector<std::string>{"Sub PrintMultiCIofDifference", "Sub PrintPairTestTable",
                                        "Sub ShowMultiCIofDifference"}));
}

}  // namespace
}  // namespace cpt

namespace cpt {
namespace {

// Lowers the largest file this process may write, so that a report runs
// out of room part way, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit lowered = previous_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(ConfidenceIntervalReport, ReportCutShortIsRemovedAndReported) {
    AppFixture run;
    testing::setThreeTreatmentTexts(run.context.state);
    run.dialogs.answerInput("Add a code to the output filename?", "1");
    run.context.window[control::MSFlexGrid1].visible = false;
    try {
        FileSizeLimit limit(4096);
        printReport(run.context, testing::threeTreatments());
        ADD_FAILURE() << "a report larger than the limit was written";
    } catch (const UserError& error) {
        EXPECT_NE(std::string(error.what()).find("could not be written completely"), std::string::npos)
            << error.what();
    }
    EXPECT_TRUE(run.folder.files().empty());
    EXPECT_TRUE(run.context.state.OutputFileName.empty());
    EXPECT_FALSE(run.context.window[control::MSFlexGrid1].visible);
}

}  // namespace
}  // namespace cpt
