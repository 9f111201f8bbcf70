// Tables chosen in the treatment dialogue: their treatments fill that
// treatment and the next ones, and what a table lacks is asked for by name.
#include <algorithm>
#include <gtest/gtest.h>

#include "core/analysis/cartesian_run.h"
#include "support/cartesian_run.h"

namespace cpt::testing {
namespace {

struct Host {
    const char* name;
    int sampleSize;
    const char* estimate;
    std::vector<std::string> values;
};
const Host Hosts[] = {
    {"Maize", 60, "0.1512", {"0.1466", "0.1492", "0.1473", "0.1497"}},
    {"Sorghum", 55, "0.13", {"0.1301", "0.1287", "0.1335", "0.1264"}},
    {"Wheat", 48, "0.121", {"0.1198", "0.1243", "0.1187", "0.1222"}},
};

std::string reportOf(const CartesianRun& run) {
    return readFile(run.folder.path() / run.context.state.OutputFileName);
}

std::string describedReport(const char* code = "r") {
    CartesianRun run;
    std::vector<std::filesystem::path> files;
    for (const Host& host : Hosts) {
        files.push_back(run.folder.write(std::string(host.name) + ".txt",
                                         treatmentText(host.name, code, 4, host.values, host.sampleSize, host.estimate)));
    }
    run.script(files);
    run.run();
    return reportOf(run);
}

// One column per host, named in the header; cells joined by `separator`.
std::string wideTable(std::span<const Host> hosts, char separator, char decimalMark = '.') {
    std::string text;
    for (const Host& host : hosts) text += std::string(text.empty() ? "" : std::string(1, separator)) + host.name;
    for (std::size_t row = 0; row < 4; ++row) {
        text += "\r\n";
        for (std::size_t h = 0; h < hosts.size(); ++h) {
            std::string value = hosts[h].values[row];
            if (decimalMark == ',') value.replace(value.find('.'), 1, ",");
            text += (h == 0 ? "" : std::string(1, separator)) + value;
        }
    }
    return text + "\r\n";
}

std::string longTable(bool withSampleSize, bool withEstimate) {
    std::string text = std::string("treatment,value") + (withSampleSize ? ",n" : "") + (withEstimate ? ",estimate" : "");
    for (const Host& host : Hosts) {
        for (const std::string& value : host.values) {
            text += std::string("\r\n") + host.name + "," + value;
            if (withSampleSize) text += "," + std::to_string(host.sampleSize);
            if (withEstimate) text += std::string(",") + host.estimate;
        }
    }
    return text + "\r\n";
}

void answerMissing(ScriptedDialogs& dialogs, const Host& host, bool sampleSize, bool estimate) {
    if (sampleSize) dialogs.answerInput("Sample size", std::to_string(host.sampleSize));
    if (estimate) dialogs.answerInput("Estimate", host.estimate);
}

TEST(TableInput, OneTableGivesTheRunOfTheSameValuesInDescribedFiles) {
    struct Case {
        const char* fileName;
        std::string contents;
        bool asksSampleSize, asksEstimate;
    };
    const Case cases[] = {
        {"r.csv", wideTable(Hosts, ','), true, true},
        {"r.tsv", wideTable(Hosts, '\t'), true, true},
        {"r.txt", wideTable(Hosts, ';', ','), true, true},
        {"r.csv", longTable(true, true), false, false},
        {"r.csv", longTable(true, false), false, true},
    };
    const std::string expected = describedReport();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.contents.substr(0, c.contents.find('\r')));
        CartesianRun run;
        const std::filesystem::path table = run.folder.write(c.fileName, c.contents);
        run.answerQuestions(false, false).answerCount("3").answerFiles({table});
        for (const Host& host : Hosts) answerMissing(run.dialogs, host, c.asksSampleSize, c.asksEstimate);
        run.dialogs.answerInput("Parameter", "r");
        run.answerReportCode();
        run.run();
        ASSERT_FALSE(run.stopMessage()) << *run.stopMessage();
        EXPECT_EQ(reportOf(run), expected);
        for (int t = 1; t <= 3; ++t) EXPECT_EQ(run.state().TreatmentFile[t], table.string());
    }
}

TEST(TableInput, TreatmentsBeyondThoseLeftAreAskedForAgain) {
    struct Case {
        bool withDescribedFile;  // chosen with the table
        const char* message;
    };
    const Case cases[] = {
        {false, "3 treatments were chosen (in 1 file), but only 2 treatments are left (2 to 3).\n"
                "Please choose at most 2."},
        {true, "3 treatments were chosen (in 2 files), but only 2 treatments are left (2 to 3).\n"
               "Please choose at most 2."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        CartesianRun run;
        const Host& maize = Hosts[0];
        const auto described =
            run.folder.write("Maize.txt", treatmentText(maize.name, "r", 4, maize.values, maize.sampleSize, maize.estimate));
        const auto sorghumAndWheat = run.folder.write("r.csv", wideTable(std::span(Hosts).subspan(1), ','));
        run.answerQuestions(false, false).answerCount("3");
        run.dialogs.answerOpenFile("Input treatment 1", described.string());
        // Nothing is asked of a choice that does not fit.
        std::vector<std::string> tooMany{sorghumAndWheat.string()};
        if (c.withDescribedFile) tooMany.insert(tooMany.begin(), described.string());
        else tooMany[0] = run.folder.write("all.csv", wideTable(Hosts, ',')).string();
        run.dialogs.answerOpenFiles("Input treatment 2", tooMany);
        run.dialogs.answerMessage("Too many files", AnswerOk);
        run.dialogs.answerOpenFile("Input treatment 2", sorghumAndWheat.string());
        answerMissing(run.dialogs, Hosts[1], true, true);
        answerMissing(run.dialogs, Hosts[2], true, true);
        run.dialogs.answerInput("Parameter", "r");
        run.answerReportCode();
        run.run();
        EXPECT_EQ(run.dialogs.shown[5].prompt, c.message);
        EXPECT_EQ(run.state().TreatmentFile[2], sorghumAndWheat.string());
        EXPECT_EQ(run.state().TreatmentFile[3], sorghumAndWheat.string());
        EXPECT_TRUE(run.reportWritten());
    }
}

TEST(TableInput, MissingEntriesAreAskedByNameUntilTheAnswerIsUsable) {
    CartesianRun run;
    const auto table = run.folder.write("r.csv", wideTable(std::span(Hosts).first(2), ','));
    run.answerQuestions(false, false).answerCount("2").answerFiles({table});
    for (const char* bad : {"0", "2.5", "many"}) {
        run.dialogs.answerInput("Sample size", bad).answerMessage("Sample size", AnswerOk);
    }
    run.dialogs.answerInput("Sample size", " 61 ");
    run.dialogs.answerInput("Estimate", "").answerMessage("Estimate", AnswerOk);
    run.dialogs.answerInput("Estimate", "0,1512");
    answerMissing(run.dialogs, Hosts[1], true, true);
    run.dialogs.answerInput("Parameter", "r");
    run.answerReportCode();
    run.run();

    const auto& shown = run.dialogs.shown;
    EXPECT_EQ(shown[4].prompt, "The table \"r.csv\" gives no sample size for treatment \"Maize\".\nEnter its sample size n:");
    EXPECT_EQ(shown[4].defaultText, "");
    EXPECT_EQ(shown[5].prompt, "The sample size must be a whole number of at least 1; \"0\" is not.\n"
                               "Please enter it again.");
    EXPECT_EQ(shown[11].prompt, "The table \"r.csv\" gives no estimate for treatment \"Maize\" (the parameter's "
                                "value for the full sample).\nEnter the estimate:");
    EXPECT_EQ(shown[12].prompt, "The estimate must be a number; \"\" is not.\nPlease enter it again.");
    EXPECT_EQ(shown[15].prompt, "The table \"r.csv\" gives no estimate for treatment \"Sorghum\" (the parameter's "
                                "value for the full sample).\nEnter the estimate:");
    const std::vector<Treatment>& entered = run.context.cartesianRun->treatments;
    ASSERT_EQ(entered.at(0).name, "Maize");
    EXPECT_EQ(entered.at(0).sampleSize, 61);
    EXPECT_EQ(entered.at(0).estimate, 0.1512);
    EXPECT_EQ(entered.at(1).sampleSize, 55);
    EXPECT_EQ(entered.at(1).estimate, 0.13);
}

TEST(TableInput, ALongTableOfSeveralParametersAsksWhichOne) {
    std::string table = "parameter,treatment,value,n,estimate";
    for (const char* parameter : {"lambda", "r"}) {
        for (const Host& host : Hosts) {
            for (const std::string& value : host.values) {
                const bool r = std::string(parameter) == "r";
                table += std::string("\r\n") + parameter + "," + host.name + "," + (r ? value : "1" + value.substr(1)) +
                         "," + std::to_string(host.sampleSize) + "," + (r ? host.estimate : "1.2");
            }
        }
    }
    CartesianRun run;
    const auto path = run.folder.write("study.csv", table);
    run.answerQuestions(false, false).answerCount("3").answerFiles({path});
    run.dialogs.answerInput("Parameter", "R").answerMessage("Parameter", AnswerOk);
    run.dialogs.answerInput("Parameter", " r ");
    run.answerReportCode();
    run.run();
    ASSERT_FALSE(run.stopMessage()) << *run.stopMessage();
    EXPECT_EQ(run.dialogs.shown[4].prompt,
              "The table \"study.csv\" holds the parameters lambda and r.\nEnter the code of the one to test:");
    EXPECT_EQ(run.dialogs.shown[5].prompt, "The code must be one of lambda and r; \"R\" is not.\nPlease enter it again.");
    EXPECT_EQ(reportOf(run), describedReport());
}

TEST(TableInput, CancelledQuestionForATableEndsTheRunWithNothingWritten) {
    const char* cancelledAt[] = {"Sample size", "Estimate"};
    for (const char* title : cancelledAt) {
        SCOPED_TRACE(title);
        CartesianRun run;
        const auto table = run.folder.write("r.csv", wideTable(Hosts, ','));
        run.answerQuestions(false, false).answerCount("3").answerFiles({table});
        if (std::string(title) == "Estimate") run.dialogs.answerInput("Sample size", "60");
        run.dialogs.answerInput(title, std::nullopt);
        run.run();
        EXPECT_FALSE(run.stopMessage());
        EXPECT_EQ(run.folder.files(), std::vector<std::string>{"r.csv"});
    }
}

// Enter keeps the code the file's name gives; another answer is the
// parameter of the report and of its file's name.
TEST(TableInput, ATableWithoutParameterColumnIsAskedItsCodeAfterItsEntries) {
    struct Case {
        std::vector<std::optional<std::string>> answers;  // refused ones first
        const char* code;
    };
    const Case cases[] = {{{"r"}, "r"}, {{"  ", " lambda "}, "lambda"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        CartesianRun run;
        const auto table = run.folder.write("r.csv", wideTable(Hosts, ','));
        run.answerQuestions(false, false).answerCount("3").answerFiles({table});
        for (const Host& host : Hosts) answerMissing(run.dialogs, host, true, true);
        for (std::size_t k = 0; k < c.answers.size(); ++k) {
            run.dialogs.answerInput("Parameter", c.answers[k]);
            if (k + 1 < c.answers.size()) run.dialogs.answerMessage("Parameter", AnswerOk);
        }
        run.answerReportCode();
        run.run();
        ASSERT_FALSE(run.stopMessage()) << *run.stopMessage();
        const auto& shown = run.dialogs.shown;
        const std::size_t box = 4 + 2 * std::size(Hosts);  // after the questions, the count, the file, the entries
        ASSERT_GT(shown.size(), box);
        EXPECT_EQ(shown[box].title, "Parameter");
        EXPECT_EQ(shown[box].prompt, "The table \"r.csv\" has no column \"parameter\".\nEnter the code of its "
                                     "parameter (the report and its file name carry it):");
        EXPECT_EQ(shown[box].defaultText, "r");
        EXPECT_EQ(reportOf(run), describedReport(c.code));
        EXPECT_NE(run.state().OutputFileName.find(std::string("results-") + c.code + "_"), std::string::npos)
            << run.state().OutputFileName;
    }
}

TEST(TableInput, ATableWithAParameterColumnIsNotAskedItsCode) {
    std::string table = "parameter,treatment,value,n,estimate";
    for (const Host& host : Hosts) {
        for (const std::string& value : host.values) {
            table += std::string("\r\nr,") + host.name + "," + value + "," + std::to_string(host.sampleSize) + "," +
                     host.estimate;
        }
    }
    CartesianRun run;
    const auto path = run.folder.write("crops.csv", table);
    run.answerQuestions(false, false).answerCount("3").answerFiles({path});
    run.answerReportCode();
    run.run();  // a Parameter box would be a question not scripted
    ASSERT_FALSE(run.stopMessage()) << *run.stopMessage();
    EXPECT_EQ(reportOf(run), describedReport());
}

// A refused file costs neither the treatments read before it nor the run:
// its treatment's dialogue comes again, and Cancel there ends the run as any
// cancelled dialogue does.
TEST(TableInput, ARefusedFileIsToldAndItsTreatmentsDialogueComesAgain) {
    for (const bool cancelAgain : {false, true}) {
        SCOPED_TRACE(cancelAgain ? "cancelled" : "chosen again");
        CartesianRun run;
        std::vector<std::filesystem::path> files;
        for (const Host& host : Hosts) {
            files.push_back(run.folder.write(std::string(host.name) + ".txt",
                                             treatmentText(host.name, "r", 4, host.values, host.sampleSize, host.estimate)));
        }
        const auto bad = run.folder.write("bad.txt", "not a treatment file\r\n");
        run.answerQuestions(false, false).answerCount("3");
        run.dialogs.answerOpenFile("Input treatment 1", files[0].string());
        run.dialogs.answerOpenFile("Input treatment 2", bad.string());
        run.dialogs.answerMessage("File not used", AnswerOk);
        if (cancelAgain) {
            run.dialogs.answerOpenFile("Input treatment 2", std::nullopt);
        } else {
            run.dialogs.answerOpenFile("Input treatment 2", files[1].string());
            run.dialogs.answerOpenFile("Input treatment 3", files[2].string());
            run.answerReportCode();
        }
        run.run();
        EXPECT_FALSE(run.stopMessage());
        const auto& shown = run.dialogs.shown;
        const auto told = std::find_if(shown.begin(), shown.end(),
                                       [](const ScriptedDialogs::Shown& s) { return s.title == "File not used"; });
        ASSERT_NE(told, shown.end());
        EXPECT_NE(told->prompt.find("bad.txt"), std::string::npos) << told->prompt;
        EXPECT_NE(told->prompt.find("Choose another file for treatment 2, or cancel to end the run."), std::string::npos);
        if (cancelAgain) {
            EXPECT_FALSE(run.reportWritten());
            EXPECT_EQ(run.folder.files().size(), 4u);  // the inputs only
        } else {
            EXPECT_EQ(reportOf(run), describedReport());
            EXPECT_EQ(run.state().TreatmentFile[1], files[0].string());
        }
    }
}

}  // namespace
}  // namespace cpt::testing
