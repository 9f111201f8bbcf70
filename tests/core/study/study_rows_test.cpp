// The study table's rows: the well-known codes first in the order papers
// print them, the order the user names, and the names each format prints.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/user_error.h"
#include "core/study/study_figure.h"
#include "core/study/study_labels.h"
#include "core/study/study_text_formats.h"
#include "support/study_sample.h"

namespace cpt {
namespace {

// Seven parameters in the order a shell's "*.txt" might give them; X and Y
// are no well-known codes. T has B = 1000.
std::vector<StudyParameterRun> shuffledRuns() {
    std::vector<StudyParameterRun> runs;
    for (const char* code : {"T", "lambda", "X", "r", "R0", "GRR", "Y"}) {
        StudyParameterRun run = testing::sampleStudyRuns()[0];
        run.parameter = code;
        if (run.parameter == "T") {
            for (auto& t : run.result.treatments) t.bootstrapNumber = 1000;
        }
        runs.push_back(run);
    }
    return runs;
}

std::vector<std::string> rowCodes(const StudyTable& table) {
    std::vector<std::string> codes;
    for (const StudyRow& row : table.rows) codes.push_back(row.parameter);
    return codes;
}

TEST(StudyRows, WellKnownCodesComeFirstThenTheOthersAsTheyCame) {
    const StudyTable table = buildStudyTable(shuffledRuns());
    EXPECT_EQ(rowCodes(table), (std::vector<std::string>{"r", "lambda", "R0", "T", "GRR", "X", "Y"}));
    // The tidy rows and the note follow the rows.
    EXPECT_EQ(table.tidyRows.front().parameter, "r");
    EXPECT_EQ(table.tidyRows.back().parameter, "Y");
    EXPECT_NE(table.note.front().find("B = 200 for r, lambda, R0, GRR, X and Y; B = 1000 for T"), std::string::npos)
        << table.note.front();
}

TEST(StudyRows, NamedRowsComeFirstInTheirOrderTheRestAfter) {
    struct Case {
        std::vector<std::string> named;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {{"X", "R0"}, {"X", "R0", "r", "lambda", "T", "GRR", "Y"}},
        {{"Y", "X", "GRR", "T", "R0", "lambda", "r"}, {"Y", "X", "GRR", "T", "R0", "lambda", "r"}},
        {{"lambda"}, {"lambda", "r", "R0", "T", "GRR", "X", "Y"}},
    };
    for (const Case& c : cases) {
        StudyOptions options;
        options.rowOrder = c.named;
        const StudyTable table = buildStudyTable(shuffledRuns(), options);
        EXPECT_EQ(rowCodes(table), c.rows) << c.named.front();
        // Each row keeps its own run's cells.
        for (const StudyRow& row : table.rows) {
            const std::size_t expected = row.parameter == "T" ? 1000u : 200u;
            EXPECT_EQ(static_cast<std::size_t>(row.cells[0]->bootstrapNumber), expected) << row.parameter;
        }
    }
}

TEST(StudyRows, AnOrderOrLabelOfNoParameterIsRefused) {
    struct Case {
        std::vector<std::string> rows;
        std::vector<std::pair<std::string, std::string>> labels;
        std::string message;
    };
    const Case cases[] = {
        {{"r", "DT"}, {}, "The row order names \"DT\" (name 2), which is no parameter of the study."},
        {{"r", "X", "r"}, {}, "The row order names \"r\" twice."},
        {{}, {{"DT", "Doubling time"}}, "A label is given for \"DT\", which is no parameter of the study."},
        {{}, {{"T", ""}}, "The label of \"T\" is empty."},
        {{}, {{"T", "Generation time"}, {"T", "T (days)"}}, "The parameter \"T\" is given two labels."},
    };
    for (const Case& c : cases) {
        StudyOptions options;
        options.rowOrder = c.rows;
        options.labels = c.labels;
        try {
            buildStudyTable(shuffledRuns(), options);
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const UserError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

TEST(StudyLabels, PaperFormatsPrintSymbolsTheOthersCodesAndALabelWinsEverywhere) {
    StudyOptions options;
    options.labels = {{"T", "Generation time (d)"}};
    options.rowOrder = {"r", "lambda", "R0", "T"};
    const StudyTable table = buildStudyTable(shuffledRuns(), options);
    EXPECT_EQ(printedLabel(table.rows[1]), "\u03BB");
    EXPECT_EQ(printedLabel(table.rows[2]), "R\u2080");
    EXPECT_EQ(printedLabel(table.rows[3]), "Generation time (d)");
    EXPECT_EQ(printedLabel(table.rows[4]), "GRR");

    const std::string html = studyTableHtml(table);
    EXPECT_NE(html.find(">\u03BB</td>"), std::string::npos);
    EXPECT_NE(html.find(">R\u2080</td>"), std::string::npos);
    EXPECT_NE(html.find(">Generation time (d)</td>"), std::string::npos);
    EXPECT_EQ(html.find(">lambda</td>"), std::string::npos);

    const std::string tex = studyTableTex(table);
    EXPECT_NE(tex.find("\r\n$\\lambda$ & "), std::string::npos);
    EXPECT_NE(tex.find("\r\n$R_0$ & "), std::string::npos);
    EXPECT_NE(tex.find("\r\nGeneration time (d) & "), std::string::npos);

    const std::string markdown = studyTableMarkdown(table);
    EXPECT_NE(markdown.find("\r\n| lambda | "), std::string::npos);
    EXPECT_NE(markdown.find("\r\n| R0 | "), std::string::npos);
    EXPECT_NE(markdown.find("\r\n| Generation time (d) | "), std::string::npos);

    const std::string csv = studyTableCsv(table);
    EXPECT_NE(csv.find("\r\nlambda,Maize,"), std::string::npos);
    EXPECT_NE(csv.find("\r\nR0,Maize,"), std::string::npos);
    EXPECT_NE(csv.find("\r\nGeneration time (d),Maize,"), std::string::npos);
    EXPECT_EQ(csv.find("\u03BB"), std::string::npos);

    // The figure's panels carry the same names as the paper formats.
    std::vector<std::string> titles;
    for (const auto& text : studyFigure(table).texts) {
        if (text.role == "panel-title") titles.push_back(text.text);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"r", "\u03BB", "R\u2080", "Generation time (d)", "GRR", "X", "Y"}));
}

}  // namespace
}  // namespace cpt
