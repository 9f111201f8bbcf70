// cpt study: one Cartesian run per parameter, each report the one cpt
// cartesian writes for the same files, then the study table's files; a
// study refused or failed leaves nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <map>
#include <thread>
#include <nlohmann/json.hpp>

#include "cpt_process.h"
#include "support/cartesian_run.h"
#include "support/test_files.h"

namespace cpt::testing {
namespace {

const std::string FixedTime = "2026-12-09 22:32:02";
const std::vector<std::string> Parameters{"r", "lambda", "R0"};
const std::vector<std::string> Treatments{"Maize", "Sorghum", "Wheat", "Oat"};

// 40 values alternating between centre - spread and centre + spread.
std::string alternatingTreatment(const std::string& name, const std::string& code, double centre, double spread,
                                 const std::string& estimate) {
    std::vector<std::string> values;
    for (int k = 0; k < 40; ++k) values.push_back(std::to_string(k % 2 == 0 ? centre - spread : centre + spread));
    return treatmentText(name, code, 40, values, 20 + static_cast<int>(name.size()), estimate);
}

// Three parameters of four treatments, Oat without R0: one file each, given
// treatment by treatment, so that the study has to group them.
struct StudyFiles {
    TempFolder folder;
    std::vector<std::string> all;
    std::map<std::string, std::vector<std::string>> byParameter;

    StudyFiles() {
        const double centres[] = {0.15, 1.16, 40.0};
        for (std::size_t t = 0; t < Treatments.size(); ++t) {
            for (std::size_t p = 0; p < Parameters.size(); ++p) {
                if (Treatments[t] == "Oat" && Parameters[p] == "R0") continue;
                const double centre = centres[p] * (1 + 0.02 * static_cast<double>((t * 5 + p) % 4));
                const double spread = centres[p] * 0.01 * static_cast<double>(1 + t % 3);
                // Maize's r: 0.1485 and 0.1515, an SE of 0.0015 * sqrt(40 / 39).
                const std::string estimate = t == 0 && p == 0 ? "0.1512" : std::to_string(centre);
                add(Treatments[t], Parameters[p], alternatingTreatment(Treatments[t], Parameters[p], centre, spread, estimate));
            }
        }
    }
    void add(const std::string& treatment, const std::string& parameter, const std::string& text) {
        const std::string path = folder.write(treatment + "-" + parameter + ".txt", text).string();
        all.push_back(path);
        byParameter[parameter].push_back(path);
    }
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        result.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return result;
}

std::vector<std::string> csvFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1) {
        fields.push_back(line.substr(start, comma - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

std::vector<std::string> with(std::vector<std::string> arguments, const std::vector<std::string>& more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

TEST(CptStudy, EachParametersReportIsTheOneCptCartesianWrites) {
    const StudyFiles inputs;
    const std::vector<std::vector<std::string>> optionSets{{"--fixed-time", FixedTime},
                                                           {"--fixed-time", FixedTime, "--reversed", "--code", "trial"}};
    for (const auto& options : optionSets) {
        SCOPED_TRACE(options.size());
        TempFolder study;
        const ProcessResult result = runCpt(with(with({"study", "-C", study.path().string()}, options), inputs.all),
                                            inputs.folder.path());
        ASSERT_EQ(result.status, 0) << result.err;
        const std::vector<std::string> printed = lines(result.out);
        ASSERT_EQ(printed.size(), 3u + 3u);  // the reports in parameter order, then the table files
        for (std::size_t p = 0; p < Parameters.size(); ++p) {
            SCOPED_TRACE(Parameters[p]);
            TempFolder alone;
            const ProcessResult cartesian =
                runCpt(with(with({"cartesian"}, options), inputs.byParameter.at(Parameters[p])), alone.path());
            ASSERT_EQ(cartesian.status, 0) << cartesian.err;
            const std::filesystem::path report = lines(cartesian.out).at(0);
            EXPECT_EQ(std::filesystem::path(printed[p]), study.path() / report.filename());
            EXPECT_EQ(readFile(printed[p]), readFile(report));
        }
        EXPECT_EQ(std::filesystem::path(printed[3]).filename(), "study-table.csv");
        EXPECT_EQ(std::filesystem::path(printed[4]).filename(), "study-table.xlsx");
        EXPECT_EQ(std::filesystem::path(printed[5]).filename(), "study-table.html");
        EXPECT_EQ(study.files().size(), 6u);  // no difference files
    }
}

TEST(CptStudy, TableCellsComeFromEachParametersRun) {
    const StudyFiles inputs;
    TempFolder study;
    const ProcessResult result =
        runCpt(with({"study", "--fixed-time", FixedTime, "--json", "--order", "Oat,Wheat,Sorghum,Maize", "--digits", "3"},
                    inputs.all),
               study.path());
    ASSERT_EQ(result.status, 0) << result.err;
    const nlohmann::json document = nlohmann::json::parse(result.out);

    const std::vector<std::string> rows = readLines(study.path() / "study-table.csv");
    ASSERT_EQ(rows.size(), 1u + 11u);
    EXPECT_EQ(rows[0], "\xEF\xBB\xBFparameter,treatment,n,B,estimate,SE,letters,cell");
    std::size_t row = 1;
    for (const std::string& parameter : Parameters) {
        SCOPED_TRACE(parameter);
        TempFolder alone;
        const ProcessResult cartesian =
            runCpt(with({"cartesian", "--json", "--fixed-time", FixedTime}, inputs.byParameter.at(parameter)), alone.path());
        ASSERT_EQ(cartesian.status, 0) << cartesian.err;
        const nlohmann::json run = nlohmann::json::parse(cartesian.out);
        // The columns' order, each present treatment once.
        for (const std::string& treatment : {"Oat", "Wheat", "Sorghum", "Maize"}) {
            if (parameter == "R0" && std::string(treatment) == "Oat") continue;
            const std::vector<std::string> fields = csvFields(rows.at(row++));
            ASSERT_EQ(fields.size(), 8u);
            EXPECT_EQ(fields[0], parameter);
            EXPECT_EQ(fields[1], treatment);
            const auto same = std::find_if(run["treatments"].begin(), run["treatments"].end(),
                                           [&](const nlohmann::json& t) { return t["name"] == treatment; });
            ASSERT_NE(same, run["treatments"].end());
            EXPECT_EQ(std::stoi(fields[2]), (*same)["sampleSize"].get<int>());
            EXPECT_EQ(std::stoi(fields[3]), 40);
            // The file has 15 significant digits, the document all 17.
            const double estimate = (*same)["pointEstimate"], se = (*same)["SE"];
            EXPECT_NEAR(std::stod(fields[4]), estimate, 1e-14 * std::abs(estimate));
            EXPECT_NEAR(std::stod(fields[5]), se, 1e-14 * se);
            EXPECT_EQ(fields[6], (*same)["letters"].get<std::string>());
            EXPECT_TRUE(fields[7].ends_with(" " + fields[6])) << fields[7];
        }
        const auto summary = std::find_if(document["parameters"].begin(), document["parameters"].end(),
                                          [&](const nlohmann::json& p) { return p["parameter"] == parameter; });
        ASSERT_NE(summary, document["parameters"].end());
        EXPECT_EQ((*summary)["F"], run["F"]);
        EXPECT_EQ((*summary)["dfWithin"], run["dfWithin"]);
        EXPECT_EQ((*summary)["sidakAlpha"], run["sidakAlpha"]);
    }
    // Maize's r, worked by hand: 0.1512 +- 0.0015 * sqrt(40 / 39) to 3 digits.
    EXPECT_TRUE(rows[4].starts_with("r,Maize,25,40,0.1512,0.0015191090")) << rows[4];
    EXPECT_NE(rows[4].find(",0.15120 \u00B1 0.00152"), std::string::npos) << rows[4];

    ASSERT_EQ(document["rows"].size(), 11u);
    EXPECT_EQ(document["rows"][3]["cell"], csvFields(rows[4])[7]);
    EXPECT_EQ(document["treatments"], nlohmann::json({"Oat", "Wheat", "Sorghum", "Maize"}));
    EXPECT_EQ(document["files"].size(), 6u);
    EXPECT_EQ(document["files"][0], document["parameters"][0]["report"]);
}

// One parameter after another, and all three at once.
TEST(CptStudy, FixedTimeGivesTheSameFilesOnEveryRunOnAnyThreads) {
    const StudyFiles inputs;
    TempFolder first, second;
    for (const TempFolder* folder : {&first, &second}) {
        const std::string threads = folder == &first ? "1" : "3";
        const ProcessResult result = runCpt(
            with({"study", "--format", "all", "--fixed-time", FixedTime, "--threads", threads}, inputs.all),
            folder->path());
        ASSERT_EQ(result.status, 0) << result.err;
        if (folder == &first) std::this_thread::sleep_for(std::chrono::milliseconds(2100));  // a later clock second
    }
    const std::vector<std::string> names = first.files();
    ASSERT_EQ(names.size(), 3u + 6u);
    ASSERT_EQ(names, second.files());
    for (const std::string& name : names) EXPECT_EQ(readFile(first.path() / name), readFile(second.path() / name)) << name;
}

TEST(CptStudy, RefusedStudiesExitWithStatusOneAndWriteNothing) {
    struct Refusal {
        const char* label;
        std::vector<std::string> options;
        std::string extraFile;  // a treatment file added to the study
        std::string extraText;
        std::vector<std::string> messageParts;
    };
    const Refusal refusals[] = {
        {"a parameter of one treatment", {}, "Maize-K.txt", alternatingTreatment("Maize", "K", 3, 0.1, "3"),
         {"\"K\"", "Maize-K.txt", "at least 2"}},
        {"a treatment given twice for a parameter", {}, "Maize-r again.txt",
         alternatingTreatment("Maize", "r", 0.2, 0.01, "0.2"), {"Maize-r.txt", "Maize-r again.txt", "\"r\""}},
        {"an order naming a treatment no run has", {"--order", "Maize,Sorghum,Wheat,Oat,Rye"}, "", "", {"\"Rye\""}},
        {"an order leaving a treatment out", {"--order", "Maize,Sorghum,Wheat"}, "", "", {"\"Oat\""}},
        {"a format the table has not", {"--format", "csv,pdf"}, "", "", {"\"pdf\""}},
        {"an unreadable treatment file", {}, "Bad-r.txt", "\"Bad\",\"n\",20,\"B\",many,\"r\",20,0.5\r\n1\r\n",
         {"Bad-r.txt", "field 5"}},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.label);
        StudyFiles inputs;
        std::vector<std::string> files = inputs.all;
        if (!refusal.extraFile.empty()) files.push_back(inputs.folder.write(refusal.extraFile, refusal.extraText).string());
        TempFolder out;
        const ProcessResult result =
            runCpt(with(with({"study", "-C", out.path().string()}, refusal.options), files), inputs.folder.path());
        EXPECT_EQ(result.status, 1) << result.err;
        for (const std::string& part : refusal.messageParts) {
            EXPECT_NE(result.err.find(part), std::string::npos) << result.err;
        }
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(out.files().empty());
    }
}

// Failures after some reports were written: those reports go again.
TEST(CptStudy, AStudyThatFailsLateRemovesItsReports) {
    StudyFiles inputs;
    // A third parameter whose report name is too long for the system.
    const std::string longCode(240, 'q');
    const std::vector<std::string> longParameter{
        inputs.folder.write("Maize-q.txt", alternatingTreatment("Maize", longCode, 2, 0.1, "2")).string(),
        inputs.folder.write("Wheat-q.txt", alternatingTreatment("Wheat", longCode, 3, 0.1, "3")).string()};
    TempFolder full;
    // Every name the csv file could take is taken.
    full.write("study-table.csv", "taken");
    for (int number = 2; number <= 1000; ++number) full.write("study-table (" + std::to_string(number) + ").csv", "taken");
    struct Late {
        const char* label;
        std::vector<std::string> files;
        const TempFolder* folder;
        const char* messagePart;
    } cases[] = {
        {"a report that cannot be created", with(inputs.all, longParameter), nullptr, "File name too long"},
        {"table files that cannot be named", inputs.all, &full, "No free names were found for the study table"},
    };
    for (const Late& late : cases) {
        SCOPED_TRACE(late.label);
        TempFolder fresh;
        const TempFolder& folder = late.folder != nullptr ? *late.folder : fresh;
        const std::vector<std::string> before = folder.files();
        const ProcessResult result = runCpt(with({"study", "-C", folder.path().string()}, late.files), inputs.folder.path());
        EXPECT_EQ(result.status, 1) << result.err;
        EXPECT_NE(result.err.find(late.messagePart), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("The reports of this study have been removed."), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(folder.files(), before);
    }
}

// The SVG's texts of one class in document order, read by Python's XML
// parser: a document that does not parse fails here.
std::vector<std::string> svgTexts(const std::filesystem::path& svg, const std::string& role, const TempFolder& scratch) {
    const std::filesystem::path script = scratch.write(
        "texts.py",
        "import sys, xml.etree.ElementTree as ET\n"
        "root = ET.parse(sys.argv[1]).getroot()\n"
        "for t in root.iter('{http://www.w3.org/2000/svg}text'):\n"
        "    if t.get('class') == sys.argv[2]:\n"
        "        sys.stdout.buffer.write((t.text or '').encode('utf-8') + b'\\n')\n");
    const std::filesystem::path out = scratch.path() / "texts.out";
    const std::string command = "/usr/bin/python3 '" + script.string() + "' '" + svg.string() + "' " + role + " > '" +
                                out.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << svg;
    return lines(readFile(out));
}

// The PNG's pixel size from its header.
std::pair<unsigned, unsigned> pngSize(const std::filesystem::path& png) {
    const std::string bytes = readFile(png);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    const auto at = [&](std::size_t k) {
        return (unsigned(static_cast<unsigned char>(bytes[k])) << 24) | (unsigned(static_cast<unsigned char>(bytes[k + 1])) << 16) |
               (unsigned(static_cast<unsigned char>(bytes[k + 2])) << 8) | unsigned(static_cast<unsigned char>(bytes[k + 3]));
    };
    return {at(16), at(20)};
}

double svgAttribute(const std::string& svg, const std::string& name) {
    const std::size_t at = svg.find(" " + name + "=\"");
    return at == std::string::npos ? -1 : std::stod(svg.substr(at + name.size() + 3));
}

TEST(CptStudy, FiguresAreTheTablesLettersAndNamesBesideItsFiles) {
    StudyFiles inputs;
    // A hyphenated name and one with brackets and a non-ASCII letter, drawn as given.
    const std::vector<std::string> names{"Sorghum-early", "Oat (Ch\u00E2teau)"};
    std::vector<std::string> files;
    for (std::size_t k = 0; k < Treatments.size(); ++k) {
        for (std::size_t p = 0; p < Parameters.size(); ++p) {
            if (Treatments[k] == "Oat" && Parameters[p] == "R0") continue;
            const std::string name = k == 1 ? names[0] : k == 3 ? names[1] : Treatments[k];
            files.push_back(inputs.folder
                                .write("f" + std::to_string(k) + Parameters[p] + ".txt",
                                       alternatingTreatment(name, Parameters[p], (1.0 + k) * (1 + p), 0.05 * (1 + k), "0"))
                                .string());
        }
    }
    const std::string order = "Wheat," + names[1] + ",Maize," + names[0];
    TempFolder study, scratch;
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        const ProcessResult result = runCpt(with({"study", "--fixed-time", FixedTime, "--figures", "--figure-style",
                                                  run == 1 ? "bars" : "points", "--order", order, "--format", "csv"},
                                                 files),
                                            study.path());
        ASSERT_EQ(result.status, 0) << result.err;
        const std::vector<std::string> printed = lines(result.out);
        ASSERT_EQ(printed.size(), 3u + 1u + 3u);
        const std::string number = run == 1 ? "" : " (2)";
        EXPECT_EQ(printed[3], (study.path() / ("study-table" + number + ".csv")).string());
        EXPECT_EQ(printed[4], (study.path() / ("study-figure" + number + ".svg")).string());
        EXPECT_EQ(printed[5], (study.path() / ("study-figure" + number + ".png")).string());
        EXPECT_EQ(printed[6], (study.path() / ("study-figure" + number + ".pdf")).string());

        // The letters of the csv, row by row in column order, are the figure's.
        std::vector<std::string> letters;
        std::vector<std::string> rowsNames;
        const std::vector<std::string> rows = readLines(printed[3]);
        for (std::size_t k = 1; k < rows.size(); ++k) {
            letters.push_back(csvFields(rows[k])[6]);
        }
        EXPECT_EQ(svgTexts(printed[4], "letter", scratch), letters);
        EXPECT_EQ(svgTexts(printed[4], "panel-title", scratch),
                  (std::vector<std::string>{"r", "\u03BB", "R\u2080"}));
        std::vector<std::string> expectedNames;
        for (int panel = 0; panel < 3; ++panel) {
            for (const std::string& name : {std::string("Wheat"), names[1], std::string("Maize"), names[0]}) {
                expectedNames.push_back(name);
            }
        }
        EXPECT_EQ(svgTexts(printed[4], "treatment", scratch), expectedNames);

        // 300 dpi of the figure's size (96 units an inch).
        const std::string svg = readFile(printed[4]);
        const auto [width, height] = pngSize(printed[5]);
        EXPECT_EQ(width, static_cast<unsigned>(std::lround(svgAttribute(svg, "width") * 300 / 96)));
        EXPECT_EQ(height, static_cast<unsigned>(std::lround(svgAttribute(svg, "height") * 300 / 96)));
        EXPECT_TRUE(readFile(printed[6]).starts_with("%PDF-"));
    }
}

TEST(CptStudy, FigureFilesStandOrFallWithTheTable) {
    const StudyFiles inputs;
    {
        // A figure name taken moves the whole set on to the next number.
        TempFolder study;
        study.write("study-figure.png", "taken");
        const ProcessResult result =
            runCpt(with({"study", "--fixed-time", FixedTime, "--figures", "--format", "csv"}, inputs.all), study.path());
        ASSERT_EQ(result.status, 0) << result.err;
        const std::vector<std::string> printed = lines(result.out);
        ASSERT_EQ(printed.size(), 7u);
        for (std::size_t k = 3; k < printed.size(); ++k) EXPECT_NE(printed[k].find(" (2)."), std::string::npos) << printed[k];
        EXPECT_EQ(readFile(study.path() / "study-figure.png"), "taken");
    }
    {
        // Room for the reports and the table but not the PNG: nothing stays.
        TempFolder study;
        const ProcessResult result = runCpt(
            with({"study", "--fixed-time", FixedTime, "--figures", "--format", "csv"}, inputs.all), study.path(),
            "ulimit -f 90;");
        EXPECT_EQ(result.status, 1) << result.err;
        EXPECT_NE(result.err.find("study-figure.png\" could not be written completely"), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("The reports of this study have been removed."), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(study.files(), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace cpt::testing
