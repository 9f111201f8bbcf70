#include "desktop_model/sorting/sort_and_count.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/common/user_error.h"
#include "desktop_model/shell/main_window_model.h"
#include "core/sorting/sort_count_files.h"
#include "support/sort_count_script.h"
#include "support/app_fixture.h"

namespace cpt {
namespace {

using Lines = std::vector<std::string>;
using testing::scriptFinish;
using testing::scriptRun;
using testing::scriptStart;

// Values 1..n in falling order, so that row and sorted position differ.
std::string fallingBootstrapFile(int n) {
    std::string contents = testing::bootstrapHeading(n);
    for (int row = 1; row <= n; ++row) contents += std::to_string(n + 1 - row) + "\r\n";
    return contents;
}

class SortAndCountTest : public ::testing::Test {
protected:
    std::filesystem::path data(const std::string& contents, const std::string& name = "data.txt") {
        return app.folder.write(name, contents);
    }
    Lines lines(const std::string& name) { return testing::readLines(app.folder.path() / name); }
    std::vector<std::string> files() { return app.folder.files(); }
    void run() {
        SortForBootstrapResults(app.context);
        EXPECT_TRUE(app.dialogs.allAnswered());
    }
    testing::AppFixture app;
    AnalysisState& state = app.context.state;
};

TEST_F(SortAndCountTest, GeneralFileStopsAtTheEndMark) {
    scriptRun(app.dialogs, AnswerYes, false, data("P1, 0, A1, 5, 3, 5, -1, 7\r\n"));
    run();

    EXPECT_EQ(files(), (Lines{"data-1_0.025, 0.5 and 0.975 A1.txt", "data-2_Sorted.txt",
                              "data-3_Sorted and counts.txt", "data.txt"}));
    EXPECT_EQ(lines("data-2_Sorted.txt"),
              (Lines{"\"Project: P1\"", "\"Sample size =\",3", "\"Sample mean = \",4.33333333333333",
                     "\"Sorted serial no.\",\"Original serial no.\",\"Sorted data\"", "1,2,3", "2,3,5", "3,1,5"}));
    EXPECT_EQ(lines("data-3_Sorted and counts.txt"),
              (Lines{"\"Project: P1\"", "\"Sample size =\",3", "\"Sample mean = \",4.33333333333333",
                     "\"Total classes =\",2", "\"Group serial no.\",\"Value\",\"Count\"", "1,3,1", "2,5,2"}));
    EXPECT_EQ(testing::readFile(app.folder.path() / "data-1_0.025, 0.5 and 0.975 A1.txt"), "");

    EXPECT_EQ(state.DataKind, "General");
    EXPECT_EQ(state.ProjectName, "P1");
    EXPECT_EQ(state.LastTreatmentCode, "A1");
    EXPECT_EQ(state.BootstrapNumber[1], 3);
    EXPECT_EQ(state.DataMean, 13.0 / 3);
    EXPECT_EQ(state.OutputPrefix, (app.folder.path() / "data").string());
    EXPECT_TRUE(state.SortAndCountRun);
    EXPECT_EQ(state.ClassTotal, 2);

    const auto& shown = app.dialogs.shown;
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[0].buttons, ButtonSet::YesNoCancel);
    EXPECT_EQ(shown[1].buttons, ButtonSet::YesNo);
    EXPECT_EQ(shown[3].defaultText, "-1");
    EXPECT_EQ(shown[3].prompt,
              "Limit of decimal points (0, 1, 2, 3, 4, 5 and -1).\n[Enter -1 (minus 1) to use double precision.]");
    EXPECT_EQ(shown[4].prompt, "Bootstrap results sorted and data file ready!");
    EXPECT_EQ(shown[4].buttons, ButtonSet::OkCancel);
    EXPECT_EQ(shown[5].prompt, "File of data counts is ready!");
}

TEST_F(SortAndCountTest, SerialNumbersEndAtSerialMinusOneInGeneralFilesOnly) {
    scriptRun(app.dialogs, AnswerYes, true, data("P1,0,A1\r\n1,4\r\n2,2\r\n-1,9\r\n3,7\r\n"));
    run();
    EXPECT_EQ(state.BootstrapNumber[1], 2);
    EXPECT_EQ(state.DataMean, 3);
    Lines sorted = lines("data-2_Sorted.txt");
    EXPECT_EQ(Lines(sorted.begin() + 4, sorted.end()), (Lines{"1,2,2", "2,1,4"}));

    // In a bootstrap file -1 is a serial number and a value like any other.
    testing::AppFixture boot;
    scriptRun(boot.dialogs, AnswerNo, true,
              boot.folder.write("b.txt", testing::bootstrapHeading(3) + "1,-1\r\n-1,2\r\n3,-1\r\n"));
    SortForBootstrapResults(boot.context);
    EXPECT_EQ(boot.context.state.BootstrapNumber[1], 3);
    EXPECT_EQ(boot.context.state.DataTotal, 0);
}

TEST_F(SortAndCountTest, BootstrapFileEndingBeforeBCountsTheValuesPresent) {
    state.VersionText = "Ver. 04/01/2023";
    state.ProjectName = "P1";
    scriptRun(app.dialogs, AnswerNo, false, data("Name,0,10,0,5,C1,10.0,.5\r\n0.25\r\n-1\r\n0.25\r\n"));
    run();

    EXPECT_EQ(lines("data-2_Sorted.txt"),
              (Lines{"\"Project: P1 Ver. 04/01/2023\"", "\"Original mean =\",.5",
                     "\"Bootstrap sample size (n) = \",10", "\"Total effective bootstrap number (B) = \",3",
                     "\"Sample size or mean (A)= 10, (B)=-0.166666666666667\"", "\"Variable: Name\"",
                     "\"Sorted serial no.\",\"Original serial no.\",\"Sorted data\"", "1,2,-1", "2,3,.25",
                     "3,1,.25"}));
    EXPECT_EQ(lines("data-3_Sorted and counts.txt"),
              (Lines{"\"Project: P1 Ver. 04/01/2023\"", "\"Sample size or Original mean (A) =10, (B)=\",.5",
                     "\"Next line is sample size\"", "10",
                     "\"Total effective bootstrap number (B) = \",3,\"Total classes =\",2",
                     "\"Group serial no.\",\"Value\",\"Count\"", "1,-1,1", "2,.25,2"}));
    EXPECT_EQ(state.DataKind, "Boot");
    EXPECT_EQ(state.TreatmentName[1], "Name");
    EXPECT_EQ(state.SampleSize[1], 10);
    EXPECT_EQ(state.PointEstimate[1], 0.5);
    EXPECT_EQ(state.BootstrapNumber[1], 3);
    EXPECT_EQ(state.ProjectName, "P1");
}

// Values past B are not the treatment's: neither sorted, counted nor averaged.
TEST_F(SortAndCountTest, BootstrapAndResultsFilesReadNoMoreThanBValues) {
    struct Case {
        int kind;
        const char* heading;
        const char* values;
    };
    const Case cases[] = {
        {AnswerNo, "Name,0,10,0,3,C1,10,.5\r\n", "4\r\n2\r\n1\r\n"},
        {AnswerNo, "Name,0,10,0,3,C1,10,.5\r\n", "4\r\n2\r\n1\r\n8\r\n"},
        {AnswerCancel, "Name,0,10,0,3,C1,10,.5,x,y\r\n", "4\r\n2\r\n1\r\n"},
        {AnswerCancel, "Name,0,10,0,3,C1,10,.5,x,y\r\n", "4\r\n2\r\n1\r\n8\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.heading) + c.values);
        testing::AppFixture run;
        scriptRun(run.dialogs, c.kind, false, run.folder.write("b.txt", std::string(c.heading) + c.values));
        SortForBootstrapResults(run.context);
        EXPECT_EQ(run.context.state.BootstrapNumber[1], 3);
        EXPECT_EQ(run.context.state.DataTotal, 7);
        EXPECT_EQ(testing::readLines(run.folder.path() / "b-2_Sorted.txt").back(), "3,1,4");
        EXPECT_EQ(run.context.state.ClassTotal, 3);
    }
}

TEST_F(SortAndCountTest, PairedTestResultsHaveTwoMoreHeadingFields) {
    scriptRun(app.dialogs, AnswerCancel, false, data("Name,0,12,0,2,C9,n/a,1.5,x,y\r\n4\r\n6\r\n"));
    run();
    EXPECT_EQ(state.DataKind, "PBT or CPT results");
    EXPECT_EQ(state.SampleSizeOrMean, "n/a");
    EXPECT_EQ(state.PointEstimate[1], 1.5);
    EXPECT_EQ(state.DataTotal, 10);
    Lines sorted = lines("data-2_Sorted.txt");
    EXPECT_EQ(sorted[4], "\"Sample size or mean (A)= n/a, (B)=5\"");
}

TEST_F(SortAndCountTest, PercentileRowsOnlyWhereTheProductIsWhole) {
    struct Case {
        int n;
        Lines expected;
    };
    // The tag at sorted position i is n + 1 - i.
    const std::vector<Case> cases = {
        {40,
         {"\"The 0.025 percentile life table of C1 is 40\"", "\"The 0.5 percentile life table of C1 is 21\"",
          "\"The 0.975 percentile life table of C1 is 2\""}},
        {1000,
         {"\"The 0.025 percentile life table of C1 is 976\"", "\"The 0.5 percentile life table of C1 is 501\"",
          "\"The 0.975 percentile life table of C1 is 26\""}},
        {999, {}},
        {2, {"\"The 0.5 percentile life table of C1 is 2\""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        testing::AppFixture fresh;
        scriptRun(fresh.dialogs, AnswerNo, false, fresh.folder.write("b.txt", fallingBootstrapFile(c.n)));
        SortForBootstrapResults(fresh.context);
        EXPECT_EQ(testing::readLines(fresh.folder.path() / "b-1_0.025, 0.5 and 0.975 C1.txt"), c.expected);
    }
}

TEST_F(SortAndCountTest, DecimalLimitRoundsAndNamesTheFiles) {
    struct Case {
        std::vector<std::string> answers;
        double limit;
        std::string values;
        std::vector<double> sorted;
        std::string nameDigits;
    };
    const double scale = std::pow(10.0, 2.5);
    const std::vector<Case> cases = {
        {{"1"}, 1, "2.25,2.24,-2.25", {-2.2, 2.2, 2.3}, " 1"},
        {{"0"}, 0, "3,5,-4", {-4, 3, 5}, " 0"},
        // Halves go up, not to the even neighbour.
        {{"no"}, 0, "2.5,3.5", {3, 4}, " 0"},
        {{"6", "-2", "2.5"}, 2.5, "1.23456", {std::floor(1.23456 * scale + 0.5) / scale}, " 2.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values);
        testing::AppFixture fresh;
        const auto file = fresh.folder.write("d.txt", testing::bootstrapHeading(3) + c.values + "\r\n");
        scriptRun(fresh.dialogs, AnswerNo, false, file, c.answers);
        SortForBootstrapResults(fresh.context);
        EXPECT_TRUE(fresh.dialogs.allAnswered());
        const AnalysisState& result = fresh.context.state;
        EXPECT_EQ(result.DecimalLimit, c.limit);
        EXPECT_EQ(std::vector<double>(result.PairDiff.from1(), result.PairDiff.from1() + c.sorted.size()), c.sorted);
        EXPECT_EQ(fresh.folder.files(),
                  (Lines{"d-1_0.025, 0.5 and 0.975 C1" + c.nameDigits + " decimals.txt",
                         "d-2_Sorted-" + c.nameDigits + " decimals.txt",
                         "d-3_Sorted and counts-" + c.nameDigits + " decimals.txt", "d.txt"}));
    }
}

// The files go beside the data file, whatever its name; characters of the
// code that a file name cannot hold become "_", the files' text keeps them.
TEST_F(SortAndCountTest, FilesStayInTheDataFilesFolder) {
    struct Case {
        std::string file;
        std::string code;
        Lines written;  // in the data file's folder
    };
    const std::vector<Case> cases = {
        {"sub/ab", "A1", {"ab", "ab-1_0.025, 0.5 and 0.975 A1.txt", "ab-2_Sorted.txt", "ab-3_Sorted and counts.txt"}},
        {"sub/d.txt", "A1", {"d-1_0.025, 0.5 and 0.975 A1.txt", "d-2_Sorted.txt", "d-3_Sorted and counts.txt", "d.txt"}},
        {"sub/x.data", "A1",
         {"x-1_0.025, 0.5 and 0.975 A1.txt", "x-2_Sorted.txt", "x-3_Sorted and counts.txt", "x.data"}},
        {"sub.d/ab", "A1",
         {"ab", "ab-1_0.025, 0.5 and 0.975 A1.txt", "ab-2_Sorted.txt", "ab-3_Sorted and counts.txt"}},
        {"sub/d.txt", "L/D 16:8 \\*?<>|\x01",
         {"d-1_0.025, 0.5 and 0.975 L_D 16_8 _______.txt", "d-2_Sorted.txt", "d-3_Sorted and counts.txt", "d.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        testing::AppFixture fresh;
        const std::filesystem::path folder = fresh.folder.path() / std::filesystem::path(c.file).parent_path();
        std::filesystem::create_directory(folder);
        const auto file = fresh.folder.write(c.file, "P1,0,\"" + c.code + "\",5,3\r\n");
        scriptRun(fresh.dialogs, AnswerYes, false, file);
        SortForBootstrapResults(fresh.context);
        EXPECT_TRUE(fresh.dialogs.allAnswered());
        Lines names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.written);
        EXPECT_EQ(fresh.folder.files().size(), 1u);  // nothing beside the folder
        EXPECT_EQ(fresh.context.state.LastTreatmentCode, c.code);
    }
}

TEST_F(SortAndCountTest, DecimalLimitOfOneWritesTheRoundedValues) {
    scriptRun(app.dialogs, AnswerYes, false, data("P,0,A,2.25,2.24"), {"1"});
    run();
    Lines sorted = lines("data-2_Sorted- 1 decimals.txt");
    EXPECT_EQ(Lines(sorted.begin() + 4, sorted.end()), (Lines{"1,2,2.2", "2,1,2.3"}));
}

// The sum in reading order overflows; the mean the files show must not.
TEST_F(SortAndCountTest, MeanOfValuesNearTheDoubleLimitIsFinite) {
    scriptRun(app.dialogs, AnswerYes, false, data("P,0,A,1.5E+308,1.5E+308,-1.5E+308,3"));
    run();
    EXPECT_EQ(state.DataMean, 1.5e308 / 4 + 0.75);
    EXPECT_EQ(lines("data-2_Sorted.txt")[2], "\"Sample mean = \",3.75E+307");
    EXPECT_EQ(lines("data-3_Sorted and counts.txt")[2], "\"Sample mean = \",3.75E+307");
}

TEST_F(SortAndCountTest, ClassesAreKeyedByTheirFirstValue) {
    // 1 + 1.2e-12 is within 10^-12 of its neighbour but not of the class's first value.
    scriptRun(app.dialogs, AnswerYes, false, data("P,0,A,1.0000000000001,1,1.0000000000006,1.0000000000012,3"));
    run();
    ASSERT_EQ(state.ClassTotal, 3);
    EXPECT_EQ(state.ClassValue[1], 1.0);
    EXPECT_EQ(state.ClassCount[1], 3);
    EXPECT_EQ(state.ClassValue[2], 1.0000000000012);
    EXPECT_EQ(state.ClassCount[2], 1);
    EXPECT_EQ(state.ClassValue[3], 3);
    Lines counts = lines("data-3_Sorted and counts.txt");
    EXPECT_EQ(Lines(counts.begin() + 5, counts.end()), (Lines{"1,1,3", "2,1.0000000000012,1", "3,3,1"}));
}

// 10^-12 apart is apart; anything closer is one class.
TEST_F(SortAndCountTest, NeighboursExactlyTenToTheMinusTwelveApartAreTwoClasses) {
    struct Case {
        const char* label;
        double first, second;
        std::int32_t classes;
    };
    const Case cases[] = {
        {"0 and 1e-12", 0, 1e-12, 2},
        {"-1e-12 and 0", -1e-12, 0, 2},
        {"0 and the double below 1e-12", 0, std::nextafter(1e-12, 0.0), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        state.PairDiff.ensure(2);
        state.PairDiff[1] = c.first;
        state.PairDiff[2] = c.second;
        countClasses(state, 2);
        ASSERT_EQ(state.ClassTotal, c.classes);
        EXPECT_EQ(state.ClassValue[1], c.first);
        EXPECT_EQ(state.ClassCount[1], 3 - c.classes);
        if (c.classes == 2) EXPECT_EQ(state.ClassValue[2], c.second);
    }
}

TEST_F(SortAndCountTest, UnusableDataFileIsReportedAndWritesNothing) {
    struct Case {
        int kind;
        std::string contents;
        std::string complaint;
    };
    const std::vector<Case> cases = {
        {AnswerYes, "P1,0,A1\r\n", "holds no data values"},
        {AnswerYes, "P1,0,A1,-1,4\r\n", "holds no data values"},
        {AnswerYes, "P1,0", "ends at field 3, where the code of the data set was expected"},
        {AnswerYes, "P1,0,A1,3,x,5", "field 5 should be a data value (a number), but it holds \"x\""},
        {AnswerNo, "Name,0,10,0", "ends at field 5, where B, the number of bootstrap values was expected"},
        {AnswerNo, "Name,0,10,0,2.5,C1,10,.5,1,2", "field 5 should be B, the number of bootstrap values (a whole number of at least 1), but it holds 2.5."},
        {AnswerNo, "Name,0,10,0,0,C1,10,.5,1,2", "(a whole number of at least 1), but it holds 0."},
        {AnswerNo, "Name,0,ten,0,2,C1,10,.5,1,2", "field 3 should be the sample size"},
        {AnswerNo, "Name,0,0,0,2,C1,10,.5,1,2", "field 3 gives the sample size 0, but a sample size must be at least 1."},
        {AnswerCancel, "Name,0,-2147483648,0,2,C1,10,.5,1,2", "field 3 gives the sample size -2147483648"},
        {AnswerNo, testing::bootstrapHeading(2), "holds no data values"},
        {AnswerCancel, testing::bootstrapHeading(2) + "x,y\r\n", "holds no data values"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.contents);
        testing::AppFixture fresh;
        const auto file = fresh.folder.write("d.txt", c.contents);
        scriptStart(fresh.dialogs, c.kind, false, file);
        try {
            SortForBootstrapResults(fresh.context);
            ADD_FAILURE() << "no complaint";
        } catch (const UserError& error) {
            EXPECT_NE(std::string(error.what()).find(file.string()), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find(c.complaint), std::string::npos) << error.what();
        }
        EXPECT_TRUE(fresh.dialogs.allAnswered());
        EXPECT_EQ(fresh.folder.files(), Lines{"d.txt"});
    }
}

TEST_F(SortAndCountTest, QuietEndsWriteNothing) {
    scriptStart(app.dialogs, AnswerYes, false, std::nullopt);
    run();
    EXPECT_TRUE(state.SortAndCountRun);

    scriptStart(app.dialogs, AnswerYes, false, data("P1,0,A1,5"));
    app.dialogs.answerInput(testing::DecimalTitle, "7");
    app.dialogs.answerInput(testing::DecimalTitle, std::nullopt);
    EXPECT_THROW(SortForBootstrapResults(app.context), Cancelled);
    EXPECT_EQ(files(), Lines{"data.txt"});
}

TEST_F(SortAndCountTest, OutputFileThatCannotBeWrittenIsReportedWithoutSuccessMessage) {
    const auto file = data("P1,0,A1,5,3");
    // A folder in the way of an output file makes its creation fail.
    std::filesystem::create_directory(app.folder.path() / "data-1_0.025, 0.5 and 0.975 A1.txt");
    scriptStart(app.dialogs, AnswerYes, false, file);
    app.dialogs.answerInput(testing::DecimalTitle, "-1");
    try {
        SortForBootstrapResults(app.context);
        ADD_FAILURE() << "no complaint";
    } catch (const UserError& error) {
        EXPECT_NE(std::string(error.what()).find("data-1_0.025, 0.5 and 0.975 A1.txt\" cannot be created"),
                  std::string::npos)
            << error.what();
    }
    EXPECT_TRUE(app.dialogs.allAnswered());
    // The sorted file begun before it is not left behind half-written.
    EXPECT_EQ(files(), (Lines{"data-1_0.025, 0.5 and 0.975 A1.txt", "data.txt"}));

    std::filesystem::remove(app.folder.path() / "data-1_0.025, 0.5 and 0.975 A1.txt");
    std::filesystem::create_directory(app.folder.path() / "data-3_Sorted and counts.txt");
    scriptStart(app.dialogs, AnswerYes, false, file);
    app.dialogs.answerInput(testing::DecimalTitle, "-1");
    app.dialogs.answerMessage(testing::DecimalTitle, AnswerOk);
    try {
        SortForBootstrapResults(app.context);
        ADD_FAILURE() << "no complaint";
    } catch (const UserError& error) {
        EXPECT_NE(std::string(error.what()).find("have been removed"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(app.dialogs.allAnswered());
    // The complete sorted and percentile files of the same run go as well.
    EXPECT_EQ(files(), (Lines{"data-3_Sorted and counts.txt", "data.txt"}));
}


// The call and the window's flow are one analysis: on the same file they give
// the same sorted values, classes and files, byte for byte.
TEST(SortCountAnalysis, GivesWhatTheWindowsFlowGives) {
    struct Case {
        const char* label;
        int answer;  // to the kind question
        SortCountKind kind;
        bool serialNumbers;
        std::string contents;
        std::string decimals;
    };
    const std::vector<Case> cases = {
        {"general", AnswerYes, SortCountKind::General, false, "P1, 0, A1, 5, 3, 5, -1, 7", "-1"},
        {"bootstrap, one decimal", AnswerNo, SortCountKind::Bootstrap, false,
         testing::bootstrapHeading(6) + "2.25,2.24,-2.25,1.0000000000001,1,2.25\r\n", "1"},
        {"paired-test results with serial numbers", AnswerCancel, SortCountKind::PairedTestResults, true,
         "Name,0,12,0,40,C9,n/a,1.5,x,y\r\n" + [] {
             std::string pairs;
             for (int row = 1; row <= 40; ++row) pairs += std::to_string(row) + "," + std::to_string(row % 7) + "\r\n";
             return pairs;
         }(), "-1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        testing::AppFixture desktop;
        LoadMainWindow(desktop.context);
        scriptRun(desktop.dialogs, c.answer, c.serialNumbers, desktop.folder.write("d.txt", c.contents), {c.decimals});
        SortForBootstrapResults(desktop.context);
        ASSERT_TRUE(desktop.dialogs.allAnswered());
        const AnalysisState& state = desktop.context.state;

        testing::TempFolder folder;
        const std::filesystem::path file = folder.write("d.txt", c.contents);
        const SortCountResult result = runSortCount(file, {c.kind, c.serialNumbers, std::stod(c.decimals)});
        writeSortCountFiles(result, headingTextOf(result), sortCountFileNames(file.string(), result));

        EXPECT_EQ(kindName(result.kind), state.DataKind);
        EXPECT_EQ(result.valueCount, state.BootstrapNumber[1]);
        EXPECT_EQ(result.mean, state.DataMean);
        const auto n = static_cast<std::size_t>(state.BootstrapNumber[1]);
        EXPECT_EQ(std::vector<double>(result.sorted.values.begin(), result.sorted.values.end()),
                  std::vector<double>(state.PairDiff.from1(), state.PairDiff.from1() + n));
        const auto classes = static_cast<std::size_t>(state.ClassTotal);
        EXPECT_EQ(std::vector<double>(result.classes.values.begin(), result.classes.values.end()),
                  std::vector<double>(state.ClassValue.from1(), state.ClassValue.from1() + classes));
        EXPECT_EQ(std::vector<double>(result.classes.counts.begin(), result.classes.counts.end()),
                  std::vector<double>(state.ClassCount.from1(), state.ClassCount.from1() + classes));

        const Lines names = desktop.folder.files();
        ASSERT_EQ(names, folder.files());
        for (const std::string& name : names) {
            EXPECT_EQ(testing::readFile(folder.path() / name), testing::readFile(desktop.folder.path() / name)) << name;
        }
    }
}

}  // namespace
}  // namespace cpt
