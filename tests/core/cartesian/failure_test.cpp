// Every way a run can fail: it stops, says why (or nothing when the user
// cancelled), puts the window back and leaves no report or partial output.
#include <gtest/gtest.h>

#include <functional>

#include "desktop_model/state/control_names.h"
#include "support/cartesian_run.h"

namespace cpt::testing {
namespace {

std::vector<std::string> manyValues(int count) {
    std::vector<std::string> values;
    for (int k = 0; k < count; ++k) values.push_back(std::to_string(k % 7));
    return values;
}

constexpr const char* RefusedTitle = "File not used";

// A refused file is told and its dialogue comes again; cancelled there, the
// run ends with nothing written.
void cancelAfterRefusal(CartesianRun& run, int treatment) {
    run.dialogs.answerMessage(RefusedTitle, AnswerOk);
    run.dialogs.answerOpenFile("Input treatment " + std::to_string(treatment), std::nullopt);
}

// Plain run up to the files, with the second file's text given.
std::function<void(CartesianRun&)> secondFileHolds(std::string text) {
    return [text](CartesianRun& run) {
        run.answerQuestions(false, false).answerCount("2");
        run.answerFiles({fixture("kale_2_6.txt"), run.folder.write("bad.txt", text)});
        cancelAfterRefusal(run, 2);
    };
}

// Maintainer run with the given transformation choice and second file.
std::function<void(CartesianRun&)> transformedFileHolds(std::string choice, std::string text) {
    return [choice, text](CartesianRun& run) {
        run.answerQuestions(false, false).answerCount("2");
        run.dialogs.answerInput("Transformation?", choice);
        run.answerFiles({run.folder.write("good.txt", treatmentText("G", "G", 2, {"0.5", "0.5"})),
                         run.folder.write("bad.txt", text)});
        cancelAfterRefusal(run, 2);
    };
}

struct FailureCase {
    const char* label;
    bool maintainer;
    std::function<void(CartesianRun&)> script;
    // Parts of the message; none when the run ends quietly.
    std::vector<std::string> message;
};

// What the run told before it ended: the stop message, or a refused file's.
std::optional<std::string> toldMessage(const CartesianRun& run) {
    if (std::optional<std::string> stopped = run.stopMessage()) return stopped;
    for (const auto& shown : run.dialogs.shown) {
        if (shown.title == RefusedTitle) return shown.prompt;
    }
    return std::nullopt;
}

TEST(RunFailure, StopsCleanlyAndSaysWhy) {
    const std::string headed = "\"Bad\",\"n\",20,\"B\",3,\"X\",20,0.5\r\n";
    const FailureCase cases[] = {
        {"closed question", false, [](CartesianRun& run) { run.dialogs.answerMessage("Detailed differences", AnswerCancel); }, {}},
        {"cancelled count box", false,
         [](CartesianRun& run) { run.answerQuestions(false, false).dialogs.answerInput(CountTitle, std::nullopt); }, {}},
        {"cancelled transformation box", true,
         [](CartesianRun& run) {
             run.answerQuestions(false, false).answerCount("2");
             run.dialogs.answerInput("Transformation?", std::nullopt);
         },
         {}},
        {"cancelled file dialogue", false,
         [](CartesianRun& run) {
             run.answerQuestions(false, false).answerCount("2").answerFiles({fixture("kale_2_6.txt")});
             run.dialogs.answerOpenFile("Input treatment 2", std::nullopt);
         },
         {}},
        {"file cannot be opened", false,
         [](CartesianRun& run) {
             run.answerQuestions(false, false).answerCount("2");
             run.answerFiles({fixture("kale_2_6.txt"), run.folder.path() / "missing.txt"});
             cancelAfterRefusal(run, 2);
         },
         {"missing.txt\" cannot be opened"}},
        {"heading field of the wrong kind", false,
         secondFileHolds("\"Bad\",\"n\",20,\"B\",many,\"X\",20,0.5\r\n1\r\n2\r\n"),
         {"bad.txt", "field 5 should be the bootstrap number B (a number), but it holds \"many\""}},
        {"value not a number", false, secondFileHolds(headed + "1\r\nx,3\r\n"),
         {"bad.txt", "field 10 should be bootstrap value 2 (a number), but it holds \"x\""}},
        {"value NaN", false, secondFileHolds(headed + "1\r\nnan\r\n3\r\n"), {"bad.txt", "field 10 should be bootstrap value 2"}},
        {"value infinite", false, secondFileHolds(headed + "1\r\n2\r\n-inf\r\n"), {"field 11 should be bootstrap value 3"}},
        {"fewer values than B", false, secondFileHolds(headed + "1\r\n2\r\n"),
         {"bad.txt", "it holds only 2 bootstrap values, but field 5 gives B = 3."}},
        {"fewer values than B before -1", false, secondFileHolds(headed + "1\r\n2\r\n-1\r\n3\r\n"),
         {"bad.txt", "the end mark -1 in field 11 comes after only 2 bootstrap values, but field 5 gives B = 3."}},
        {"no values at all", false, secondFileHolds(headed),
         {"it holds only 0 bootstrap values, but field 5 gives B = 3."}},
        {"B below 2", false, secondFileHolds("\"Bad\",\"n\",20,\"B\",1,\"X\",20,0.5\r\n1\r\n"),
         {"bad.txt", "field 5 gives the bootstrap number B = 1, but at least 2 bootstrap values are needed."}},
        {"magnitude above 1E+150", false, secondFileHolds(headed + "1\r\n-1.0000000000001E150\r\n3\r\n"),
         {"bad.txt", "field 10 (bootstrap value 2) holds -1.0000000000001E+150, but a bootstrap value must lie "
                     "between -1E+150 and 1E+150."}},
        {"number beyond the Double range", false,
         secondFileHolds(headed + "1\r\n1" + std::string(400, '0') + "\r\n3\r\n"),
         {"bad.txt", "field 10 should be bootstrap value 2 (a number)"}},
        {"sample size below 1", false, secondFileHolds("\"Bad\",\"n\",20,\"B\",3,\"X\",0,0.5\r\n1\r\n2\r\n3\r\n"),
         {"bad.txt", "field 7 gives the sample size 0, but a sample size must be at least 1."}},
        {"sample size at the 32-bit limit", false,
         secondFileHolds("\"Bad\",\"n\",20,\"B\",3,\"X\",-2147483648,0.5\r\n1\r\n2\r\n3\r\n"),
         {"bad.txt", "field 7 gives the sample size -2147483648"}},
        {"difference files of a pair too large to list declined", false,
         [](CartesianRun& run) {
             run.answerQuestions(true, false).answerCount("2");
             run.answerFiles({run.folder.write("big1.txt", treatmentText("A", "A", 3001, manyValues(3001))),
                              run.folder.write("big2.txt", treatmentText("B", "B", 3000, manyValues(3000)))});
             run.dialogs.answerMessage("Difference files too large", AnswerNo);
         },
         {}},
        {"arcsine of 1", true, transformedFileHolds("1", headed + "0.5\r\n1\r\n0.5\r\n"),
         {"bad.txt", "field 10 (bootstrap value 2) holds 1, but the arcsine transformation needs a value from 0 up to, not including, 1."}},
        {"logit of 0", true, transformedFileHolds("2", headed + "0\r\n0.5\r\n0.5\r\n"),
         {"bad.txt", "field 9 (bootstrap value 1) holds 0, but the logit transformation needs a value between 0 and 1, both excluded."}},
        {"logit of value B + 1", true, transformedFileHolds("2", headed + "0.5\r\n0.5\r\n0.5\r\n1.5\r\n"),
         {"field 12 (bootstrap value 4) holds 1.5"}},
        {"difference file of a later pair cannot be created", false,
         [](CartesianRun& run) {
             // The middle treatment's code makes the names of pair (2, 3) too long for the system.
             run.answerQuestions(true, false).answerCount("3");
             run.answerFiles({run.folder.write("high.txt", treatmentText("High", "H", 2, {"5", "6"})),
                              run.folder.write("mid.txt", treatmentText("Mid", std::string(240, 'c'), 2, {"3", "4"})),
                              run.folder.write("low.txt", treatmentText("Low", "L", 2, {"1", "2"}))});
         },
         {"_5-" + std::string(240, 'c') + "-2 to 3_diff-All (for N. sort).txt\" cannot be created",
          "\nThe difference files of this run have been removed."}},
        {"no report after the difference files", false,
         [](CartesianRun& run) {
             run.answerQuestions(true, false).answerCount("2");
             run.answerFiles({fixture("kale_2_6.txt"), fixture("cabbage_1_5.txt")});
             run.dialogs.answerInput("Add a code to the output filename?", std::string(300, 'x'));
             run.dialogs.answerMessage("The report file cannot be created", AnswerCancel);
         },
         {"The test ended without a report.\nThe difference files of this run have been removed."}},
        {"flow record cannot be created", true,
         [](CartesianRun& run) {
             std::filesystem::create_directory(run.folder.path() / "_0_Flow.txt");
             run.dialogs.answerMessage("Do you need detailed info?", AnswerYes);
             run.dialogs.answerMessage("Do you need flow record?", AnswerYes);
         },
         {"_0_Flow.txt\" cannot be created"}},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.label);
        CartesianRun run(c.maintainer);
        c.script(run);
        // A refused file is told in its own box (scripted with it), a stop in the stop box.
        if (!c.message.empty() && !run.dialogs.expects(RefusedTitle)) run.dialogs.answerMessage(StoppedTitle, AnswerOk);
        run.run();
        std::optional<std::string> message = toldMessage(run);
        if (c.message.empty()) {
            EXPECT_FALSE(message) << *message;
        } else {
            ASSERT_TRUE(message);
            for (const std::string& part : c.message) EXPECT_NE(message->find(part), std::string::npos) << *message;
        }
        EXPECT_FALSE(run.reportWritten());
        for (const std::string& name : run.outputFiles()) {
            EXPECT_FALSE(std::filesystem::is_regular_file(run.folder.path() / name)) << name;
        }
        const ControlModel& window = run.context.window;
        EXPECT_FALSE(window[control::Label2].visible);
        EXPECT_FALSE(window[control::lblBootBegin].visible);
        EXPECT_TRUE(window[control::cmdCartesianDifference].enabled);
        EXPECT_FALSE(window[control::cmdReadDataA1].enabled);
        EXPECT_FALSE(run.state().FlowRecord);
    }
}

// After a run that wrote its report and a frequency chart shown since, a new
// run starts clean: however it ends, nothing of the earlier result is on show
// as if it were its own.
TEST(RunFailure, NoEarlierResultStaysOnShow) {
    struct Case {
        const char* label;
        std::function<void(CartesianRun&)> script;
        bool reportWritten;
    };
    const Case cases[] = {
        {"closed question", [](CartesianRun& run) { run.dialogs.answerMessage("Detailed differences", AnswerCancel); },
         false},
        {"file cannot be opened",
         [](CartesianRun& run) {
             run.answerQuestions(false, false).answerCount("2");
             run.answerFiles({fixture("kale_2_6.txt"), run.folder.path() / "missing.txt"});
             cancelAfterRefusal(run, 2);
         },
         false},
        {"report written", [](CartesianRun& run) { run.script({fixture("kale_3_5.txt"), fixture("cabbage_1_2.txt")}); },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CartesianRun run;
        run.script({fixture("kale_2_6.txt"), fixture("cabbage_1_5.txt"), fixture("kale_3_5.txt")});
        run.run();
        ControlModel& window = run.context.window;
        ASSERT_TRUE(window[control::MSFlexGrid1].visible);
        const std::string earlierCaption = window[control::txtDatafile].caption;
        ASSERT_FALSE(earlierCaption.empty());
        window[control::MSChart1].visible = true;

        c.script(run);
        run.run();
        EXPECT_FALSE(window[control::MSChart1].visible);
        if (c.reportWritten) {
            EXPECT_TRUE(window[control::MSFlexGrid1].visible);
            EXPECT_EQ(window.grid.rows, 3);
            EXPECT_TRUE(window[control::lblBootEnd].visible);
            EXPECT_NE(window[control::txtDatafile].caption, earlierCaption);
        } else {
            EXPECT_FALSE(window[control::MSFlexGrid1].visible);
            EXPECT_EQ(window.grid.rows, 0);
            EXPECT_FALSE(window[control::lblBootEnd].visible);
            EXPECT_EQ(window[control::lblBootEnd].caption, "");
            EXPECT_EQ(window[control::txtDatafile].caption, "");
            EXPECT_EQ(run.state().OutputFileName, "");
        }
    }
}

}  // namespace
}  // namespace cpt::testing
