// A run from the files ecologists keep (tables, UTF-16, semicolons and
// decimal commas) is the run of the same values in described files: the
// same report, byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cpt_process.h"
#include "support/test_files.h"

namespace cpt::testing {
namespace {

const std::string FixedTime = "2026-12-09 22:32:02";

struct Sample {
    std::string name;
    int n;
    std::string estimate;
    std::vector<std::string> values;
};

const std::vector<Sample> Samples{
    {"Maize", 30, "0.1512", {"0.146652", "0.149243", "0.151022", "0.148", "0.1539"}},
    {"Sorghum", 28, "0.1487", {"0.1401", "0.152", "0.1466", "0.1499"}},
    {"Wheat", 31, "0.1621", {"0.1633", "0.1602", "0.1655", "0.159", "0.1611", "0.1648"}},
};

std::string describedText(const Sample& s) {
    std::string text = "\"" + s.name + "\",\"Sample size\"," + std::to_string(s.n) + ",\"Bootstrap number\"," +
                       std::to_string(s.values.size()) + ",\"r\"," + std::to_string(s.n) + "," + s.estimate + "\r\n";
    for (const std::string& v : s.values) text += v + "\r\n";
    return text;
}

std::string withComma(std::string text) {
    for (char& c : text) c = c == '.' ? ',' : c;
    return text;
}

// The wide table: a column per treatment, columns of different lengths.
std::string wideTable(char separator, bool decimalComma, bool rowNames) {
    std::string text = rowNames ? "\"\"" + std::string(1, separator) : "";
    for (std::size_t t = 0; t < Samples.size(); ++t) text += (t ? std::string(1, separator) : "") + Samples[t].name;
    text += "\n";
    for (std::size_t row = 0; row < 6; ++row) {
        if (rowNames) text += "\"" + std::to_string(row + 1) + "\"" + std::string(1, separator);
        for (std::size_t t = 0; t < Samples.size(); ++t) {
            if (t) text += separator;
            if (row < Samples[t].values.size()) {
                text += decimalComma ? withComma(Samples[t].values[row]) : Samples[t].values[row];
            }
        }
        text += "\n";
    }
    return text;
}

std::string longTable() {
    std::string text = "Value,Treatment,n,estimate\r\n";
    for (const Sample& s : Samples) {
        for (const std::string& v : s.values) text += v + "," + s.name + "," + std::to_string(s.n) + "," + s.estimate + "\r\n";
    }
    return text;
}

std::string utf16(const std::string& text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : text) {
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return out;
}

std::vector<std::string> heading() {
    return {"cartesian", "--fixed-time", FixedTime, "--code", "forms"};
}

std::string onlyReport(const TempFolder& folder) {
    const std::vector<std::string> names = folder.files();
    EXPECT_EQ(names.size(), 1u);
    return names.empty() ? std::string() : readFile(folder.path() / names.front());
}

TEST(CptInputForms, EachFormGivesTheReportOfTheSameValuesInDescribedFiles) {
    TempFolder inputs;
    std::vector<std::string> described = heading();
    for (const Sample& s : Samples) described.push_back(inputs.write(s.name + ".txt", describedText(s)).string());
    TempFolder expectedFolder;
    ASSERT_EQ(runCpt(described, expectedFolder.path()).status, 0);
    const std::string expected = onlyReport(expectedFolder);

    // A table's parameter code comes from --parameter (else from its file's name).
    std::vector<std::string> sizes{"--parameter",   "r",          "--sample-size", "Maize=30",
                                   "--sample-size", "Sorghum=28", "--sample-size", "Wheat=31",
                                   "--estimate",    "Maize=0.1512", "--estimate",  "Sorghum=0.1487",
                                   "--estimate",    "Wheat=0.1621"};
    auto describedAs = [&](auto transform, const std::string& suffix) {
        std::vector<std::string> files;
        for (const Sample& s : Samples) files.push_back(inputs.write(s.name + suffix, transform(describedText(s))).string());
        return files;
    };
    auto semicolons = [](std::string text) {
        std::string out;
        for (char c : text) out += c == ',' ? ';' : c == '.' ? ',' : c;
        return out;
    };
    const struct {
        const char* form;
        std::vector<std::string> files;
        std::vector<std::string> options;
    } forms[] = {
        {"wide csv", {inputs.write("r.csv", wideTable(',', false, false)).string()}, sizes},
        {"wide csv with row names, as write.csv", {inputs.write("rn.csv", wideTable(',', false, true)).string()}, sizes},
        {"semicolons and decimal commas", {inputs.write("r2.csv", wideTable(';', true, false)).string()}, sizes},
        {"tab separated with decimal commas", {inputs.write("r.tsv", wideTable('\t', true, false)).string()}, sizes},
        {"long table with n and estimate", {inputs.write("r.txt", longTable()).string()}, {}},
        {"UTF-16 little endian described files", describedAs([](std::string t) { return utf16(t, false); }, ".le.txt"), {}},
        {"UTF-16 big endian described files", describedAs([](std::string t) { return utf16(t, true); }, ".be.txt"), {}},
        {"semicolon described files", describedAs(semicolons, ".semi.txt"), {}},
    };
    for (const auto& form : forms) {
        SCOPED_TRACE(form.form);
        std::vector<std::string> arguments = heading();
        arguments.insert(arguments.end(), form.options.begin(), form.options.end());
        arguments.insert(arguments.end(), form.files.begin(), form.files.end());
        TempFolder folder;
        const ProcessResult result = runCpt(arguments, folder.path());
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(onlyReport(folder), expected);
    }
}

TEST(CptInputForms, WhatATableLacksIsAskedForByName) {
    TempFolder inputs;
    const std::string table = inputs.write("r.csv", wideTable(',', false, false)).string();
    const struct {
        const char* what;
        std::vector<std::string> arguments;
        int status;
        const char* message;
    } cases[] = {
        {"no sample sizes",
         {"--estimate", "Maize=0.1", "--estimate", "Sorghum=0.1", "--estimate", "Wheat=0.1", table},
         1,
         "give it with --sample-size Maize=N"},
        {"no estimates", {"--sample-size", "30", table}, 1, "--estimate"},
        {"a name no file holds",
         {"--sample-size", "30", "--sample-size", "Rice=3", "--estimate", "Maize=0.1", "--estimate", "Sorghum=0.1",
          "--estimate", "Wheat=0.1", table},
         1,
         "--sample-size names the treatment \"Rice\""},
        {"a sample size that is no number", {"--sample-size", "Maize=many", table}, 2, "NAME=N"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> arguments = heading();
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        TempFolder folder;
        const ProcessResult result = runCpt(arguments, folder.path());
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_TRUE(folder.files().empty());
    }
}

}  // namespace
}  // namespace cpt::testing
