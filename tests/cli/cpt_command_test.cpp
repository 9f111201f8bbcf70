// The batch program takes from its command line what the desktop program asks:
// given the same choices and the same time it writes the same files.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <nlohmann/json.hpp>

#include "core/analysis/cartesian_run.h"
#include "support/cartesian_run.h"
#include "desktop_model/shell/main_window_model.h"
#include "desktop_model/sorting/normality_view.h"
#include "core/tables/letter_marking.h"
#include "cpt_process.h"

namespace cpt::testing {
namespace {

const std::string FixedTime = "2026-12-09 22:32:02";  // the test clock's time

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        result.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return result;
}

// Every file of one folder equals the file of the same name in the other.
void expectSameFiles(const TempFolder& desktop, const TempFolder& batch) {
    std::vector<std::string> names = desktop.files();
    ASSERT_EQ(names, batch.files());
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        EXPECT_EQ(readFile(desktop.path() / name), readFile(batch.path() / name)) << name;
    }
}

TEST(CptCartesian, TwoTreatmentsWriteWhatTheDesktopWrites) {
    const std::vector<std::filesystem::path> files{exampleFile("Maize.txt"), exampleFile("Wheat.txt")};
    CartesianRun desktop;
    desktop.script(files, true, false);
    desktop.run();
    ASSERT_TRUE(desktop.reportWritten());

    TempFolder batch;
    ProcessResult result = runCpt({"cartesian", "--differences", "--fixed-time", FixedTime, files[0].string(),
                                   files[1].string()},
                                  batch.path());
    ASSERT_EQ(result.status, 0) << result.err;
    expectSameFiles(desktop.folder, batch);
    std::vector<std::string> printed = lines(result.out);
    ASSERT_EQ(printed.size(), 7u);  // the report and six difference files
    EXPECT_NE(printed[0].find("25A-Cartesian diff results-r_2026129-22322.txt"), std::string::npos);
    for (const std::string& path : printed) EXPECT_TRUE(std::filesystem::exists(path)) << path;
}

TEST(CptCartesian, FourTreatmentsReversedInAnotherFolder) {
    TempFolder inputs;
    std::vector<std::string> values;
    for (int k = 0; k < 150; ++k) values.push_back(std::to_string(0.12 + (k % 13) * 0.001));
    const std::filesystem::path fourth = inputs.write("Oat.txt", treatmentText("Oat", "r", 150, values, 40, "0.126"));
    const std::vector<std::filesystem::path> files{exampleFile("Maize.txt"), exampleFile("Sorghum.txt"),
                                                   exampleFile("Wheat.txt"), fourth};
    CartesianRun desktop;
    desktop.script(files, false, true);
    desktop.run();

    TempFolder batch;
    ProcessResult result = runCpt({"cartesian", "--reversed", "-C", batch.path().string(), "--fixed-time", FixedTime,
                                   files[0].string(), files[1].string(), files[2].string(), files[3].string()},
                                  inputs.path());
    ASSERT_EQ(result.status, 0) << result.err;
    expectSameFiles(desktop.folder, batch);
}

TEST(CptCartesian, FiguresAreWrittenPrintedAndListed) {
    const std::vector<std::string> files{exampleFile("Maize.txt").string(), exampleFile("Sorghum.txt").string(),
                                         exampleFile("Wheat.txt").string()};
    const std::vector<std::string> names{"means", "pair-1-2", "pair-1-3", "pair-2-3"};
    struct Case {
        const char* format;  // empty: the default
        const char* extension;
        const char* opening;
    } cases[] = {{"", ".svg", "<?xml"}, {"png", ".png", "\x89PNG"}, {"pdf", ".pdf", "%PDF"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension);
        TempFolder batch;
        std::vector<std::string> arguments{"cartesian", "--figures", "figures"};
        if (*c.format != '\0') arguments.insert(arguments.end(), {"--figure-format", c.format});
        arguments.insert(arguments.end(), files.begin(), files.end());
        ProcessResult result = runCpt(arguments, batch.path());
        ASSERT_EQ(result.status, 0) << result.err;
        const std::vector<std::string> printed = lines(result.out);
        ASSERT_EQ(printed.size(), 1u + names.size());  // the report, then the figures
        for (std::size_t k = 0; k < names.size(); ++k) {
            const std::filesystem::path expected = batch.path() / "figures" / (names[k] + c.extension);
            EXPECT_EQ(printed[k + 1], expected.string());
            EXPECT_EQ(readFile(expected).rfind(c.opening, 0), 0u) << expected;
        }
    }
    // The means figure names every treatment and its letters; --json lists the figures.
    TempFolder batch;
    std::vector<std::string> arguments{"cartesian", "--json", "--figures", (batch.path() / "f").string()};
    arguments.insert(arguments.end(), files.begin(), files.end());
    ProcessResult result = runCpt(arguments, batch.path());
    ASSERT_EQ(result.status, 0) << result.err;
    nlohmann::json document = nlohmann::json::parse(result.out);
    ASSERT_EQ(document["figures"].size(), names.size());
    EXPECT_EQ(document["figures"][0], (batch.path() / "f" / "means.svg").string());
    const std::string means = readFile(batch.path() / "f" / "means.svg");
    EXPECT_NE(means.find("class=\"letter\""), std::string::npos);
    for (const auto& treatment : document["treatments"]) {
        EXPECT_NE(means.find(">" + treatment["name"].get<std::string>() + "</text>"), std::string::npos);
        EXPECT_NE(means.find(">" + treatment["letters"].get<std::string>() + "</text>"), std::string::npos);
    }
    // Without --figures the document is as before.
    TempFolder plain;
    std::vector<std::string> plainArguments{"cartesian", "--json"};
    plainArguments.insert(plainArguments.end(), files.begin(), files.end());
    EXPECT_FALSE(nlohmann::json::parse(runCpt(plainArguments, plain.path()).out).contains("figures"));
}

TEST(CptCartesian, FiguresFolderThatCannotBeMadeIsTold) {
    TempFolder batch;
    batch.write("taken", "a file, not a folder");
    ProcessResult result = runCpt({"cartesian", "--figures", "taken/figures", exampleFile("Maize.txt").string(),
                                   exampleFile("Wheat.txt").string()},
                                  batch.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("--figures"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find((batch.path() / "taken" / "figures").string()), std::string::npos) << result.err;
    // Told before the run: no report is left behind unnamed.
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(batch.files(), std::vector<std::string>{"taken"});
    EXPECT_EQ(runCpt({"cartesian", "--figure-format", "gif", exampleFile("Maize.txt").string(),
                      exampleFile("Wheat.txt").string()},
                     batch.path())
                  .status,
              2);
}

TEST(CptCartesian, JsonDocumentCarriesTheResults) {
    TempFolder batch;
    ProcessResult result = runCpt({"cartesian", "--json", "--code", "trial", exampleFile("Maize.txt").string(),
                                   exampleFile("Sorghum.txt").string(), exampleFile("Wheat.txt").string()},
                                  batch.path());
    ASSERT_EQ(result.status, 0) << result.err;
    nlohmann::json document = nlohmann::json::parse(result.out);
    ASSERT_EQ(document["treatments"].size(), 3u);
    EXPECT_EQ(document["treatments"][0]["name"], "Maize");  // largest mean first
    EXPECT_EQ(document["treatments"][0]["B"], 200);
    EXPECT_EQ(document["treatments"][0]["letters"], "a");
    ASSERT_EQ(document["pairs"].size(), 3u);
    for (const auto& pair : document["pairs"]) {
        EXPECT_EQ(pair["significantCount"].get<int>() + pair["notSignificantCount"].get<int>(), 40000);
        EXPECT_LE(pair["tLower"].get<double>(), pair["tUpper"].get<double>());
        EXPECT_LE(pair["percentileLower"].get<double>(), pair["percentileUpper"].get<double>());
    }
    EXPECT_EQ(document["dfBetween"], 2);
    EXPECT_EQ(document["dfWithin"], 59 + 54 + 57);
    EXPECT_TRUE(document["F"].is_number());
    std::string report = document["report"];
    EXPECT_NE(report.find("25A-Cartesian diff results-r_trial "), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(report));
}

TEST(CptSortCount, WritesWhatTheDesktopWrites) {
    TempFolder desktopFolder;
    TempFolder batchFolder;
    const std::string data = readFile(exampleFile("Maize.txt"));
    const std::filesystem::path desktopData = desktopFolder.write("Maize.txt", data);
    const std::filesystem::path batchData = batchFolder.write("Maize.txt", data);

    AppFixture desktop;
    LoadMainWindow(desktop.context);
    desktop.dialogs.answerMessage("Sort and count general data or bootstrap results", AnswerNo)
        .answerMessage("Data formate", AnswerNo)
        .answerOpenFile("Open a bootstrap file to sort", desktopData.string())
        .answerInput("Limit the decimal points?", "3")
        .answerMessage("Limit the decimal points?", AnswerOk)
        .answerMessage("Limit the decimal points?", AnswerOk)
        .answerMessage("Frequency distribution", AnswerNo);
    cmdGeneralNormalTest_Click(desktop.context);
    ASSERT_TRUE(desktop.dialogs.allAnswered());

    ProcessResult result = runCpt({"sort-count", "--decimals", "3", batchData.string()}, batchFolder.path());
    ASSERT_EQ(result.status, 0) << result.err;
    std::filesystem::remove(desktopData);
    std::filesystem::remove(batchData);
    expectSameFiles(desktopFolder, batchFolder);
    EXPECT_EQ(lines(result.out).size(), 3u);

    result = runCpt({"sort-count", "--json", "--kind", "general", exampleFile("Egg duration.txt").string()},
                    batchFolder.path());
    ASSERT_EQ(result.status, 0) << result.err;
    nlohmann::json document = nlohmann::json::parse(result.out);
    EXPECT_EQ(document["kind"], "General");
    EXPECT_EQ(document["values"], 120);
    double counted = 0;
    for (const auto& entry : document["classes"]) counted += entry["count"].get<double>();
    EXPECT_EQ(counted, 120);
    for (const auto& path : document["files"]) std::filesystem::remove(path.get<std::string>());
}

struct BadInput {
    const char* label;
    std::string text;
    const char* messagePart;
};

TEST(CptCartesian, BadInputFilesExitWithStatusOneAndSayWhy) {
    const std::string heading = "\"Bad\",\"n\",20,\"B\",3,\"X\",20,0.5\r\n";
    const BadInput cases[] = {
        {"heading field of the wrong kind", "\"Bad\",\"n\",20,\"B\",many,\"X\",20,0.5\r\n1\r\n", "field 5"},
        {"value not a number", heading + "1\r\nx\r\n3\r\n", "field 10"},
        {"fewer values than B", heading + "1\r\n2\r\n", "B = 3"},
        {"B below 2", "\"Bad\",\"n\",20,\"B\",1,\"X\",20,0.5\r\n1\r\n", "Bad.txt"},
    };
    for (const BadInput& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        std::filesystem::path bad = folder.write("Bad.txt", c.text);
        ProcessResult result = runCpt({"cartesian", exampleFile("Maize.txt").string(), bad.string()}, folder.path());
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find(c.messagePart), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty());
        EXPECT_EQ(folder.files(), std::vector<std::string>{"Bad.txt"});
    }

    TempFolder folder;
    std::filesystem::path empty = folder.write("Empty.txt", "\"General\",\"x\",\"G1\"\r\n-1\r\n");
    ProcessResult result = runCpt({"sort-count", "--kind", "general", empty.string()}, folder.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Empty.txt"), std::string::npos) << result.err;
    EXPECT_EQ(folder.files(), std::vector<std::string>{"Empty.txt"});
}

// 3001 x 3000 differences, more than the difference files list: judged from
// the sorted samples and exact sums; their difference files are refused.
TEST(CptCartesian, PairBeyondTheListCapacityRunsWithoutDifferenceFilesOnly) {
    TempFolder folder;
    std::vector<std::string> values;
    for (int k = 0; k < 3001; ++k) values.push_back(std::to_string(0.2 + (k % 17) * 0.001));
    const std::filesystem::path first = folder.write("First.txt", treatmentText("First", "F", 3001, values));
    values.resize(3000);
    for (std::string& v : values) v = std::to_string(std::stod(v) - 0.004);
    const std::filesystem::path second = folder.write("Second.txt", treatmentText("Second", "S", 3000, values));

    ProcessResult refused = runCpt({"cartesian", "--differences", first.string(), second.string()}, folder.path());
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Treatments 1 and 2 have 9003000 Cartesian differences: their six difference files "
                               "would hold 36012053 lines, about 972 MB."),
              std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("Leave off --differences to run without them."), std::string::npos) << refused.err;
    EXPECT_EQ(refused.err.find("Go on without"), std::string::npos) << refused.err;
    EXPECT_TRUE(refused.out.empty());
    EXPECT_EQ(folder.files(), (std::vector<std::string>{"First.txt", "Second.txt"}));

    ProcessResult result = runCpt({"cartesian", "--json", first.string(), second.string()}, folder.path());
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;  // no progress lines into a pipe
    nlohmann::json document = nlohmann::json::parse(result.out);
    const auto& pair = document["pairs"][0];
    ASSERT_TRUE(pair["significantCount"].is_number_integer());
    ASSERT_TRUE(pair["notSignificantCount"].is_number_integer());
    EXPECT_EQ(pair["significantCount"].get<std::int64_t>() + pair["notSignificantCount"].get<std::int64_t>(), 9003000);
    EXPECT_EQ(document["files"].size(), 1u);  // the report alone
    const std::string report = readFile(document["report"].get<std::string>());
    EXPECT_NE(report.find("\r\nPairs with more than 9000005 differences: means and variances are exact, computed "
                          "from the samples' sums.\r\n"),
              std::string::npos);
}

TEST(CptCartesian, ReportThatCannotBeWrittenExitsWithStatusOne) {
    TempFolder folder;
    ProcessResult result = runCpt({"cartesian", "-C", "/proc", exampleFile("Maize.txt").string(),
                                   exampleFile("Wheat.txt").string()},
                                  folder.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("/proc/25A-Cartesian diff results-r_"), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty());
}

// Faults of the system: each is told on standard error, the status is 1 and
// no output file is left behind.
TEST(CptFaults, AreToldAndLeaveNoFiles) {
    struct Fault {
        const char* label;
        std::string limits;
        std::vector<std::string> arguments;
        std::function<void(const TempFolder&)> prepare;
        std::vector<std::string> messageParts;
    };
    TempFolder inputs;
    std::string many = "\"Many\",\"x\",\"M1\"\r\n";
    for (long k = 0; k < 2000000; ++k) many += std::to_string(k * 7919 % 100003) + "\n";
    const std::filesystem::path manyFile = inputs.write("Many.txt", many);
    const std::filesystem::path smallFile = inputs.write("Small.txt", readFile(exampleFile("Maize.txt")));
    const std::string maize = exampleFile("Maize.txt").string();
    const std::string wheat = exampleFile("Wheat.txt").string();
    const Fault faults[] = {
        {"file-size limit", "ulimit -f 4; ", {"sort-count", smallFile.string()}, {},
         {"Small-2_Sorted.txt\" could not be written completely: File too large"}},
        {"out of memory", "ulimit -v 100000; ", {"sort-count", "--kind", "general", manyFile.string()}, {},
         {"not enough memory"}},
        {"flow record cannot be written", "", {"cartesian", "--flow-record", maize, wheat},
         [](const TempFolder& folder) { std::filesystem::create_symlink("/dev/full", folder.path() / "_0_Flow.txt"); },
         {"_0_Flow.txt\" could not be written completely"}},
        {"report cannot be created", "", {"cartesian", "--code", std::string(300, 'x'), maize, wheat}, {},
         {"File name too long", "Give another --code"}},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.label);
#if defined(__SANITIZE_ADDRESS__)
        // The address checker reserves more address space than the limit leaves.
        if (fault.limits.starts_with("ulimit -v")) continue;
#endif
        TempFolder folder;
        if (fault.prepare) fault.prepare(folder);
        const std::vector<std::string> before = folder.files();
        std::vector<std::string> arguments = fault.arguments;
        ProcessResult result = runCpt(arguments, folder.path(), fault.limits);
        EXPECT_EQ(result.status, 1) << result.err;
        for (const std::string& part : fault.messageParts) {
            EXPECT_NE(result.err.find(part), std::string::npos) << result.err;
        }
        for (const char* word : {"click", "press", "choose", "Click", "Press", "Choose"}) {
            EXPECT_EQ(result.err.find(word), std::string::npos) << result.err;
        }
        EXPECT_EQ(folder.files(), before);
        EXPECT_EQ(inputs.files(), (std::vector<std::string>{"Many.txt", "Small.txt"}));
    }
}

// Text that is not UTF-8 is replaced in the JSON only; files and status stay.
TEST(CptCartesian, JsonCarriesTextThatIsNotUtf8) {
    TempFolder folder;
    const std::filesystem::path latin = folder.write("Caf\xE9.txt", treatmentText("Caf\xE9", "r\xFF", 3, {"1", "2", "3"}));
    const std::filesystem::path other = folder.write("Tea.txt", treatmentText("Tea", "t", 3, {"2", "3", "4"}));
    ProcessResult plain = runCpt({"cartesian", "--fixed-time", FixedTime, latin.string(), other.string()}, folder.path());
    ASSERT_EQ(plain.status, 0) << plain.err;
    ProcessResult result = runCpt({"cartesian", "--json", "--fixed-time", FixedTime, latin.string(), other.string()},
                                  folder.path());
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;
    const nlohmann::json document = nlohmann::json::parse(result.out);
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(document["treatments"][1]["name"], "Caf" + replacement);
    EXPECT_EQ(document["treatments"][1]["code"], "r" + replacement);
    const std::string file = document["treatments"][1]["file"];
    EXPECT_NE(file.find("Caf" + replacement + ".txt"), std::string::npos) << file;
    // The report's own name and text keep the bytes read.
    const std::vector<std::string> files = folder.files();
    EXPECT_NE(std::find(files.begin(), files.end(), "25A-Cartesian diff results-t_2026129-22322 (2).txt"), files.end());
    EXPECT_NE(readFile(folder.path() / "25A-Cartesian diff results-t_2026129-22322.txt").find("Caf\xE9"), std::string::npos);
}

TEST(CptCartesian, SixTreatmentsWriteWhatTheDesktopWritesAndJsonCarriesEveryPair) {
    TempFolder inputs;
    std::vector<std::filesystem::path> files;
    for (int t = 1; t <= 6; ++t) {
        std::vector<std::string> values;
        for (int k = 0; k < 60; ++k) values.push_back(std::to_string(0.1 + t * 0.004 + ((k * 7 + t) % 17) * 0.002));
        const std::string name = "Host" + std::to_string(t);
        files.push_back(inputs.write(name + ".txt", treatmentText(name, "r", 60, values, 30 + t, "0.12")));
    }
    CartesianRun desktop;
    desktop.script(files, true, false);
    desktop.run();
    ASSERT_TRUE(desktop.reportWritten());

    TempFolder batch;
    std::vector<std::string> arguments{"cartesian", "--differences", "--json", "--fixed-time", FixedTime};
    for (const auto& file : files) arguments.push_back(file.string());
    ProcessResult result = runCpt(arguments, batch.path());
    ASSERT_EQ(result.status, 0) << result.err;
    expectSameFiles(desktop.folder, batch);

    const CartesianResult& r = desktop.result();
    nlohmann::json document = nlohmann::json::parse(result.out);
    ASSERT_EQ(document["pairs"].size(), 15u);
    std::size_t k = 0;
    for (int i = 1; i < 6; ++i) {
        for (int j = i + 1; j <= 6; ++j, ++k) {
            const auto& pair = document["pairs"][k];
            EXPECT_EQ(pair["first"], i);
            EXPECT_EQ(pair["second"], j);
            EXPECT_EQ(pair["pValue"].get<double>(), figuresOf(r, i, j).pValue);
            EXPECT_EQ(pair["percentileLower"].get<double>(), figuresOf(r, i, j).percentileLower);
        }
    }
    const std::vector<std::string> labels = desktop.context.cartesianRun->result->letters.labels;
    ASSERT_EQ(labels.size(), 6u);
    ASSERT_EQ(document["treatments"].size(), 6u);
    for (std::size_t t = 0; t < 6; ++t) EXPECT_EQ(document["treatments"][t]["letters"], labels[t].substr(1));
    EXPECT_EQ(document["sidakAlpha"].get<double>(), 0.0034137129465903193);
    EXPECT_EQ(document["files"].size(), 1u + 6u * 15u);
}

TEST(CptCommandLine, WrongCommandLinesExitWithStatusTwo) {
    TempFolder folder;
    std::vector<std::string> twentySevenTreatments{"cartesian"};
    for (int t = 0; t < 27; ++t) twentySevenTreatments.push_back(exampleFile("Maize.txt").string());
    const std::vector<std::vector<std::string>> wrong{
        {},
        {"compare"},
        {"cartesian", exampleFile("Maize.txt").string()},
        {"cartesian", "--transformation", "square", exampleFile("Maize.txt").string(), exampleFile("Wheat.txt").string()},
        {"cartesian", "--fixed-time", "yesterday", exampleFile("Maize.txt").string(), exampleFile("Wheat.txt").string()},
        {"sort-count", "--kind", "survival", exampleFile("Maize.txt").string()},
        {"sort-count", "--decimals", "6", exampleFile("Maize.txt").string()},
        {"sort-count", "--decimals", "2x", exampleFile("Maize.txt").string()},
        {"sort-count", (folder.path() / "missing.txt").string()},
        twentySevenTreatments,
        {"study", "--digits", "0", exampleFile("Maize.txt").string(), exampleFile("Wheat.txt").string()},
        {"study", "--threads", "-1", exampleFile("Maize.txt").string(), exampleFile("Wheat.txt").string()},
        {"study", "--fixed-time", "yesterday", exampleFile("Maize.txt").string(), exampleFile("Wheat.txt").string()},
        {"study", (folder.path() / "missing.txt").string()},
    };
    for (const auto& arguments : wrong) {
        ProcessResult result = runCpt(arguments, folder.path());
        EXPECT_EQ(result.status, 2) << (arguments.empty() ? "(none)" : arguments[0]) << ": " << result.err;
    }
    for (const char* command : {"cartesian", "study", "sort-count"}) {
        ProcessResult help = runCpt({command, "--help"}, folder.path());
        EXPECT_EQ(help.status, 0);
        EXPECT_NE(help.out.find("--json"), std::string::npos);
    }
}

}  // namespace
}  // namespace cpt::testing
