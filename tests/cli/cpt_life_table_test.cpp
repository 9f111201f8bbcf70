// cpt life-table: records in, bootstrap result files that every analysis
// reads, and the study table cpt study makes of them; bad options and bad
// records leave nothing.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cpt_process.h"
#include "support/test_files.h"

namespace cpt::testing {
namespace {

const std::string FixedTime = "2026-12-09 22:32:02";

std::vector<std::string> with(std::vector<std::string> arguments, const std::vector<std::string>& more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

// Two treatments of twelve individuals in long form; the females lay from day 3.
std::string longRecords() {
    std::string text = "treatment,individual,sex,age,eggs\n";
    for (const std::string treatment : {"Maize", "Bean"}) {
        for (int i = 0; i < 12; ++i) {
            const bool female = i % 3 != 0;
            const int days = 2 + (i * 5 + static_cast<int>(treatment.size())) % 11;
            for (int age = 1; age <= days; ++age) {
                const int eggs = female && age >= 3 ? (i + age + static_cast<int>(treatment.size())) % 4 : 0;
                text += treatment + "," + treatment.substr(0, 1) + std::to_string(i) + "," + (female ? "f" : "m") +
                        "," + std::to_string(age) + "," + std::to_string(eggs) + "\n";
            }
        }
    }
    return text;
}

TEST(CptLifeTable, WritesBootstrapFilesThatCptCartesianReads) {
    TempFolder in, out;
    const std::string records = in.write("records.csv", longRecords()).string();
    const ProcessResult run = runCpt({"life-table", "-C", out.path().string(), "--bootstrap", "200", "--json", records},
                                     in.path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(out.files(), (std::vector<std::string>{"Bean-GRR.txt", "Bean-R0.txt", "Bean-T.txt", "Bean-lambda.txt",
                                                     "Bean-life-table.csv", "Bean-r.txt", "Maize-GRR.txt",
                                                     "Maize-R0.txt", "Maize-T.txt", "Maize-lambda.txt",
                                                     "Maize-life-table.csv", "Maize-r.txt"}));
    const std::string text = readFile(out.path() / "Maize-r.txt");
    EXPECT_EQ(text.rfind("\"Maize\",\"Sample size\",12,\"Bootstrap number\",200,\"r\",12,", 0), 0U) << text;
    const std::vector<std::string> lines = readLines(out.path() / "Maize-r.txt");
    EXPECT_EQ(lines.size(), 201U);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));
    EXPECT_EQ(readLines(out.path() / "Maize-life-table.csv").at(0), "age,N,lx,E,mx,lxmx");

    const nlohmann::json document = nlohmann::json::parse(run.out);
    ASSERT_EQ(document["treatments"].size(), 2U);
    const nlohmann::json& maize = document["treatments"][0];
    EXPECT_EQ(maize["name"], "Maize");
    EXPECT_EQ(maize["n"], 12);
    EXPECT_EQ(maize["B"], 200);
    EXPECT_EQ(maize["seed"], 1);
    EXPECT_EQ(document["treatments"][1]["seed"], 2);
    for (const char* code : {"r", "lambda", "R0", "T", "GRR"}) EXPECT_TRUE(maize["estimates"][code].is_number()) << code;
    EXPECT_EQ(maize["zero_offspring"], 0);
    EXPECT_EQ(maize["files"].size(), 6U);
    // The heading's estimate is the JSON's, to the record form's 15 digits.
    const double r = maize["estimates"]["r"];
    EXPECT_NEAR(std::stod(lines[0].substr(lines[0].rfind(',') + 1)), r, 1e-14 * r);

    TempFolder reports;
    const ProcessResult cartesian = runCpt({"cartesian", "-C", reports.path().string(), (out.path() / "Maize-r.txt").string(),
                                            (out.path() / "Bean-r.txt").string()},
                                           in.path());
    EXPECT_EQ(cartesian.status, 0) << cartesian.err;
    EXPECT_EQ(reports.files().size(), 1U);
}

TEST(CptLifeTable, TheStudyIsTheOneCptStudyWritesOnTheFilesWritten) {
    TempFolder in, out, again;
    const std::string records = in.write("records.csv", longRecords()).string();
    const ProcessResult run =
        runCpt({"life-table", "-C", out.path().string(), "--bootstrap", "300", "--study", "--format", "csv,md",
                "--fixed-time", FixedTime, "--json", records},
               in.path());
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json document = nlohmann::json::parse(run.out);
    std::vector<std::string> bootstrapFiles;
    for (const auto& treatment : document["treatments"]) {
        for (const auto& file : treatment["files"]) {
            if (file.get<std::string>().ends_with(".txt")) bootstrapFiles.push_back(file);
        }
    }
    ASSERT_EQ(bootstrapFiles.size(), 10U);
    const ProcessResult study = runCpt(
        with({"study", "-C", again.path().string(), "--format", "csv,md", "--fixed-time", FixedTime}, bootstrapFiles),
        in.path());
    ASSERT_EQ(study.status, 0) << study.err;
    const std::vector<std::string> studyFiles = again.files();
    ASSERT_EQ(studyFiles.size(), 5U + 2U);
    for (const std::string& name : studyFiles) {
        EXPECT_EQ(readFile(out.path() / name), readFile(again.path() / name)) << name;
    }
}

TEST(CptLifeTable, BadOptionsExitTwoAndWriteNothing) {
    TempFolder in;
    const std::string records = in.write("records.csv", longRecords()).string();
    const std::string withoutSex = in.write("plain.csv", "individual,1,2\na,0,3\nb,0,\n").string();
    struct Case {
        std::vector<std::string> options;
        std::string file;
        std::string named;
    };
    const std::vector<Case> cases = {
        {{"--bootstrap", "1"}, records, "--bootstrap"},
        {{"--bootstrap", "9000005"}, records, "9000004"},
        {{"--female-offspring", "0"}, records, "--female-offspring"},
        {{"--female-offspring", "1.5"}, records, "--female-offspring"},
        {{"--parameters", "r,rate"}, records, "\"rate\""},
        {{"--cohort", "females"}, withoutSex, "sex"},
        {{"--parameters", "fecundity"}, withoutSex, "sex"},
        {{"--study", "--format", "pdf"}, records, "\"pdf\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.front() + " " + c.options.back());
        TempFolder out;
        const ProcessResult run = runCpt(with(with({"life-table", "-C", out.path().string()}, c.options), {c.file}),
                                         in.path());
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(out.files().empty());
    }
}

TEST(CptLifeTable, BadRecordsExitOneNamingTheFileRowAndIndividual) {
    TempFolder in, out;
    in.write("good.csv", longRecords());
    const std::string bad = in.write("bad.csv", "individual,1,2,3\nk,0,,4\n").string();
    const ProcessResult run = runCpt({"life-table", "-C", out.path().string(), (in.path() / "good.csv").string(), bad},
                                     in.path());
    EXPECT_EQ(run.status, 1);
    for (const char* part : {"bad.csv", "row 2", "\"k\""}) EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
    EXPECT_TRUE(out.files().empty());
}

TEST(CptLifeTable, ReplicatesWithoutOffspringWithholdRAndT) {
    TempFolder in;
    // One laying female among seven males: about a third of the replicates lay nothing.
    std::string text = "individual,sex,1,2,3\nf,f,0,3,2\n";
    for (int i = 0; i < 7; ++i) text += "m" + std::to_string(i) + ",m,0,0,\n";
    const std::string records = in.write("Sparse.csv", text).string();
    TempFolder refused;
    const ProcessResult run = runCpt({"life-table", "-C", refused.path().string(), "--bootstrap", "100", records}, in.path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(refused.files(), (std::vector<std::string>{"Sparse-GRR.txt", "Sparse-R0.txt", "Sparse-lambda.txt",
                                                         "Sparse-life-table.csv"}));
    for (const char* part : {"\"Sparse\"", "--zero-offspring drop", "r and T files are not written"}) {
        EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
    }
    TempFolder dropped;
    const ProcessResult drop = runCpt(
        {"life-table", "-C", dropped.path().string(), "--bootstrap", "100", "--zero-offspring", "drop", "--json", records},
        in.path());
    ASSERT_EQ(drop.status, 0) << drop.err;
    const nlohmann::json document = nlohmann::json::parse(drop.out);
    const int zero = document["treatments"][0]["zero_offspring"];
    EXPECT_GT(zero, 0);
    EXPECT_NE(run.err.find(std::to_string(zero) + " of 100 replicates"), std::string::npos) << run.err;
    const std::vector<std::string> lines = readLines(dropped.path() / "Sparse-r.txt");
    EXPECT_EQ(static_cast<int>(lines.size()), 1 + 100 - zero);
    EXPECT_NE(lines[0].find(",\"Bootstrap number\"," + std::to_string(100 - zero) + ","), std::string::npos) << lines[0];
}

TEST(CptLifeTable, FiguresOfLxAndMxNeverReplaceFiles) {
    TempFolder in, out, figures;
    const std::string records = in.write("records.csv", longRecords()).string();
    figures.write("life-table-lx.svg", "the user's");
    const ProcessResult run = runCpt({"life-table", "-C", out.path().string(), "--bootstrap", "20", "--figures",
                                      figures.path().string(), "--json", records},
                                     in.path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(figures.path() / "life-table-lx.svg"), "the user's");
    EXPECT_EQ(figures.files(),
              (std::vector<std::string>{"life-table-lx (2).svg", "life-table-lx.svg", "life-table-mx.svg"}));
    const std::string svg = readFile(figures.path() / "life-table-mx.svg");
    EXPECT_NE(svg.find("Maize"), std::string::npos);
    EXPECT_NE(svg.find("Bean"), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(run.out)["figures"].size(), 2U);
}

TEST(CptLifeTable, SameFilesAtOneTwoAndThreeThreads) {
    TempFolder in;
    const std::string records = in.write("records.csv", longRecords()).string();
    std::vector<std::string> contents;
    for (const char* threads : {"1", "2", "3"}) {
        TempFolder out;
        const ProcessResult run = runCpt({"life-table", "-C", out.path().string(), "--bootstrap", "3000", "--threads",
                                          threads, "--parameters", "r,T,longevity,fecundity", records},
                                         in.path());
        ASSERT_EQ(run.status, 0) << run.err;
        std::string all;
        for (const std::string& name : out.files()) all += name + "\n" + readFile(out.path() / name);
        contents.push_back(all);
    }
    EXPECT_EQ(contents[0], contents[1]);
    EXPECT_EQ(contents[0], contents[2]);
}

}  // namespace
}  // namespace cpt::testing
