#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "core/study/study_text_formats.h"
#include "support/study_sample.h"

namespace cpt {
namespace {

using testing::MixedName;
using testing::sampleStudyRuns;
using testing::sampleStudyTable;

std::vector<std::string> crlfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the text does not end with CR LF";
    return lines;
}

void expectNoBareLineFeed(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at byte " << i;
        }
    }
}

// Records of RFC 4180: quoted fields may hold commas, quotes and line ends.
std::vector<std::vector<std::string>> parseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                records.back().back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                records.back().back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            records.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            records.emplace_back(1);
            ++i;
        } else {
            records.back().back() += c;
        }
    }
    EXPECT_FALSE(quoted);
    if (records.back().size() == 1 && records.back()[0].empty()) records.pop_back();
    return records;
}

TEST(StudyCsv, TidyRowsWithByteOrderMarkAndQuotedFields) {
    const std::string text = studyTableCsv(sampleStudyTable());
    ASSERT_TRUE(text.starts_with("\xEF\xBB\xBF"));
    expectNoBareLineFeed(text);
    const auto records = parseCsv(text.substr(3));
    ASSERT_EQ(records.size(), 12u);
    EXPECT_EQ(records[0], (std::vector<std::string>{"parameter", "treatment", "n", "B", "estimate", "SE", "letters", "cell"}));
    EXPECT_EQ(records[1], (std::vector<std::string>{"r", "Maize", "31", "200", "0.151234567890123", "0.00588", "a",
                                                    "0.1512 \u00B1 0.0059 a"}));
    EXPECT_EQ(records[4], (std::vector<std::string>{"r", MixedName, "28", "200", "0.13", "0.0072", "c",
                                                    "0.1300 \u00B1 0.0072 c"}));
    EXPECT_EQ(records[11], (std::vector<std::string>{"R_0", "Wheat", "29", "1000", "40", "0", "ab", "40 \u00B1 0 ab"}));
    EXPECT_NE(text.find("\"Rice & beans, 50%\""), std::string::npos);
}

TEST(StudyCsv, QuotesDoubleTheQuoteAndHoldLineEnds) {
    std::vector<StudyParameterRun> runs = sampleStudyRuns();
    runs[0].parameter = "say \"r\"";
    runs[0].result.treatments[0].name = "two\r\nlines";
    // Named first: by default lambda, a well-known code, would come before it.
    StudyOptions first;
    first.rowOrder = {runs[0].parameter};
    const auto records = parseCsv(studyTableCsv(buildStudyTable(runs, first)).substr(3));
    EXPECT_EQ(records[1][0], "say \"r\"");
    EXPECT_EQ(records[1][1], "two\r\nlines");
    EXPECT_EQ(records.size(), 12u);
}

// The contents of each <tag>...</tag> of the text, in order.
std::vector<std::string> elements(const std::string& text, const std::string& tag) {
    std::vector<std::string> found;
    const std::regex pattern("<" + tag + "(?: [^>]*)?>(.*?)</" + tag + ">");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it) {
        found.push_back((*it)[1]);
    }
    return found;
}

// No-break spaces keep a value on one line of its cell.
TEST(StudyHtml, TableCellsCarryTheLettersAsSuperscripts) {
    const std::string page = studyTableHtml(sampleStudyTable());
    expectNoBareLineFeed(page);
    EXPECT_TRUE(page.starts_with("<!DOCTYPE html>"));
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_EQ(elements(page, "th"), (std::vector<std::string>{"Parameter", "Maize", "Sorghum", "Wheat",
                                                             "Rice &amp; beans, 50%"}));
    const std::vector<std::string> cells = elements(page, "td");
    ASSERT_EQ(cells.size(), 15u);
    EXPECT_EQ(cells[0], "r");
    EXPECT_EQ(cells[1], "0.1512\u00A0\u00B1\u00A00.0059<sup>a</sup>");
    EXPECT_EQ(cells[3], "0.1450\u00A0\u00B1\u00A00.0059<sup>ab</sup>");
    EXPECT_EQ(cells[10], "R_0");
    EXPECT_EQ(cells[13], "40\u00A0\u00B1\u00A00<sup>ab</sup>");
    EXPECT_EQ(cells[14], "");
    const std::vector<std::string> paragraphs = elements(page, "p");
    ASSERT_EQ(paragraphs.size(), 1u);
    EXPECT_TRUE(paragraphs[0].starts_with("Values are full-sample estimates \u00B1 SE"));
}

TEST(StudyHtml, EscapesMarkupInNames) {
    std::vector<StudyParameterRun> runs = sampleStudyRuns();
    runs[0].parameter = "<b>\"r\"</b>";
    StudyOptions first;
    first.rowOrder = {runs[0].parameter};
    const std::string page = studyTableHtml(buildStudyTable(runs, first));
    EXPECT_EQ(elements(page, "td")[0], "&lt;b&gt;&quot;r&quot;&lt;/b&gt;");
}

// The cells of a tabular's rows (text between "&"s, without the final "\\").
std::vector<std::vector<std::string>> texRows(const std::vector<std::string>& lines) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : lines) {
        if (!line.ends_with(" \\\\")) continue;
        std::vector<std::string>& row = rows.emplace_back();
        const std::string body = line.substr(0, line.size() - 3);
        std::size_t start = 0;
        for (std::size_t end; (end = body.find(" & ", start)) != std::string::npos; start = end + 3) {
            row.push_back(body.substr(start, end - start));
        }
        row.push_back(body.substr(start));
    }
    return rows;
}

TEST(StudyTex, BooktabsTabularWithSuperscriptLetters) {
    const std::string tex = studyTableTex(sampleStudyTable());
    const std::vector<std::string> lines = crlfLines(tex);
    ASSERT_GE(lines.size(), 10u);
    EXPECT_EQ(lines[1], "\\begin{tabular}{lcccc}");
    EXPECT_EQ(lines[2], "\\toprule");
    EXPECT_EQ(lines[4], "\\midrule");
    EXPECT_EQ(lines[8], "\\bottomrule");
    EXPECT_EQ(lines[9], "\\end{tabular}");
    const auto rows = texRows(lines);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Parameter", "Maize", "Sorghum", "Wheat", "Rice \\& beans, 50\\%"}));
    EXPECT_EQ(rows[1][1], "0.1512 $\\pm$ 0.0059\\textsuperscript{a}");
    EXPECT_EQ(rows[2][3], "1.16 $\\pm$ 0.10\\textsuperscript{a}");
    EXPECT_EQ(rows[3][0], "R\\_0");
    EXPECT_EQ(rows[3][4], "");
    EXPECT_TRUE(lines[11].starts_with("Values are full-sample estimates $\\pm$ SE"));
}

TEST(StudyTex, EscapesEverySpecialAndWritesMinusSigns) {
    std::vector<StudyParameterRun> runs = sampleStudyRuns();
    runs[0].parameter = "& % $ # _ { } ~ ^ \\";
    runs[0].result.treatments[0].estimate = -0.151234;
    StudyOptions first;
    first.rowOrder = {runs[0].parameter};
    const auto rows = texRows(crlfLines(studyTableTex(buildStudyTable(runs, first))));
    EXPECT_EQ(rows[1][0], "\\& \\% \\$ \\# \\_ \\{ \\} \\textasciitilde{} \\textasciicircum{} \\textbackslash{}");
    EXPECT_EQ(rows[1][1], "$-$0.1512 $\\pm$ 0.0059\\textsuperscript{a}");
}

TEST(StudyMarkdown, PipeTableOfTheCellTexts) {
    std::vector<StudyParameterRun> runs = sampleStudyRuns();
    runs[1].parameter = "lambda|1";
    const std::vector<std::string> lines = crlfLines(studyTableMarkdown(buildStudyTable(runs)));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "| Parameter | Maize | Sorghum | Wheat | Rice & beans, 50% |");
    EXPECT_EQ(lines[1], "| :--- | :---: | :---: | :---: | :---: |");
    EXPECT_EQ(lines[2],
              "| r | 0.1512 \u00B1 0.0059 a | 0.1405 \u00B1 0.0061 b | 0.1450 \u00B1 0.0059 ab | 0.1300 \u00B1 0.0072 c |");
    EXPECT_TRUE(lines[3].starts_with("| lambda\\|1 | 1.1633 \u00B1 0.0068 a |"));
    EXPECT_EQ(lines[4], "| R\\_0 | 48 \u00B1 12 a | 31.2 \u00B1 1.4 b | 40 \u00B1 0 ab | |");
    EXPECT_EQ(lines[5], "");
    EXPECT_TRUE(lines[6].starts_with("Values are full-sample estimates \u00B1 SE"));
}

}  // namespace
}  // namespace cpt
