#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "core/common/user_error.h"
#include "study_files/study_table_files.h"
#include "support/study_sample.h"
#include "support/test_files.h"

namespace cpt {
namespace {

using nlohmann::json;
using testing::MixedName;
using testing::TempFolder;

const std::string PlusMinus = "\u00B1";
const DateTime Created{2026, 12, 9, 22, 32, 2};
// The Word document keeps each value on one line with no-break spaces.
const std::string UnbrokenPlusMinus = "\u00A0\u00B1\u00A0";

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// What the independent readers (openpyxl, python-docx, the raw XML) see.
json readOffice(const std::filesystem::path& path) {
    const std::string command = shellQuoted(CPT_OFFICE_PYTHON) + " " + shellQuoted(CPT_OFFICE_READER) + " " + shellQuoted(path.string());
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) throw std::runtime_error("cannot run " + command);
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) output.append(buffer, n);
    return json::parse(output);
}

std::filesystem::path writeOne(const TempFolder& folder, StudyFormat format, const StudyTable& table) {
    const StudyFormat formats[] = {format};
    const auto paths = writeStudyTableFiles(table, folder.path(), formats, Created);
    EXPECT_EQ(paths.size(), 1u);
    return paths.at(0);
}

json runs(std::initializer_list<std::pair<std::string, bool>> fragments) {
    json list = json::array();
    for (const auto& [text, superscript] : fragments) list.push_back({text, superscript});
    return list;
}

TEST(StudyWorkbook, StudySheetHasSuperscriptLettersAndTheNote) {
    TempFolder folder;
    const json book = readOffice(writeOne(folder, StudyFormat::Xlsx, testing::sampleStudyTable()));
    EXPECT_EQ(book["sheets"], json({"Study table", "Data"}));
    const json& sheet = book["Study table"];
    ASSERT_EQ(sheet.size(), 6u);
    EXPECT_EQ(sheet[0], json({"Parameter", "Maize", "Sorghum", "Wheat", MixedName}));
    EXPECT_EQ(sheet[1][1], "0.1512 " + PlusMinus + " 0.0059a");
    EXPECT_EQ(sheet[3][0], "R_0");
    EXPECT_TRUE(sheet[3][4].is_null());
    EXPECT_TRUE(sheet[5][0].get<std::string>().starts_with("Values are full-sample estimates " + PlusMinus + " SE"));
    const json& cells = book["studyRuns"];
    EXPECT_EQ(cells["2"]["B"], runs({{"0.1512 " + PlusMinus + " 0.0059", false}, {"a", true}}));
    EXPECT_EQ(cells["3"]["D"], runs({{"1.16 " + PlusMinus + " 0.10", false}, {"a", true}}));
    EXPECT_EQ(cells["4"]["D"], runs({{"40 " + PlusMinus + " 0", false}, {"ab", true}}));
}

TEST(StudyWorkbook, ARowWithoutLettersIsPlainTextAndItsNoteFollows) {
    std::vector<StudyParameterRun> study = testing::sampleStudyRuns();
    study[1].result.letters = GroupLettering{60, {}};
    TempFolder folder;
    const json book = readOffice(writeOne(folder, StudyFormat::Xlsx, buildStudyTable(study)));
    EXPECT_EQ(book["studyRuns"]["3"]["B"], runs({{"1.1633 " + PlusMinus + " 0.0068", false}}));
    EXPECT_EQ(book["studyRuns"]["2"]["B"], runs({{"0.1512 " + PlusMinus + " 0.0059", false}, {"a", true}}));
    const json& sheet = book["Study table"];
    ASSERT_EQ(sheet.size(), 7u);
    EXPECT_TRUE(sheet[6][0].get<std::string>().starts_with("No letters for lambda: its treatments form 60 groups"));
}

TEST(StudyWorkbook, DataSheetHoldsTheTidyRowsWithNumbers) {
    TempFolder folder;
    const json book = readOffice(writeOne(folder, StudyFormat::Xlsx, testing::sampleStudyTable()));
    const json& data = book["Data"];
    ASSERT_EQ(data.size(), 12u);
    EXPECT_EQ(data[0], json({"parameter", "treatment", "n", "B", "estimate", "SE", "letters", "cell"}));
    EXPECT_EQ(data[1], json({"r", "Maize", 31, 200, 0.151234567890123, 0.00588, "a", "0.1512 " + PlusMinus + " 0.0059 a"}));
    EXPECT_EQ(data[11], json({"R_0", "Wheat", 29, 1000, 40, 0, "ab", "40 " + PlusMinus + " 0 ab"}));
}

TEST(StudyWordDocument, TableHasSuperscriptRunsAndTheNoteFollows) {
    TempFolder folder;
    const json document = readOffice(writeOne(folder, StudyFormat::Docx, testing::sampleStudyTable()));
    ASSERT_EQ(document["tables"].size(), 1u);
    const json& table = document["tables"][0];
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[0][4], runs({{MixedName, false}}));
    EXPECT_EQ(table[1][0], runs({{"r", false}}));
    EXPECT_EQ(table[1][3], runs({{"0.1450" + UnbrokenPlusMinus + "0.0059", false}, {"ab", true}}));
    EXPECT_EQ(table[3][1], runs({{"48" + UnbrokenPlusMinus + "12", false}, {"a", true}}));
    EXPECT_EQ(table[3][4], json::array());
    const json& paragraphs = document["paragraphs"];
    ASSERT_EQ(paragraphs.size(), 1u);
    EXPECT_TRUE(paragraphs[0].get<std::string>().starts_with("Values are full-sample estimates " + PlusMinus));
    EXPECT_FALSE(document["landscape"]);
}

TEST(StudyWordDocument, WideTableTurnsThePage) {
    std::vector<StudyParameterRun> study(1);
    study[0].parameter = "r";
    std::vector<TreatmentStatistics> treatments;
    std::vector<std::string> labels;
    for (int t = 0; t < 9; ++t) {
        treatments.push_back(testing::studyTreatment("Treatment " + std::to_string(t + 1), t, 0.1512, 0.00588));
        labels.push_back(" abc");
    }
    study[0].result = testing::studyResult(treatments, labels, 3);
    TempFolder folder;
    const json document = readOffice(writeOne(folder, StudyFormat::Docx, buildStudyTable(study)));
    EXPECT_TRUE(document["landscape"]);
    EXPECT_EQ(document["tables"][0][0].size(), 10u);
}

TEST(StudyTableFiles, EveryFormatOnceUnderOneNumber) {
    TempFolder folder;
    const StudyTable table = testing::sampleStudyTable();
    const std::vector<StudyFormat> formats{StudyFormat::Csv,      StudyFormat::Xlsx, StudyFormat::Html, StudyFormat::Tex,
                                           StudyFormat::Markdown, StudyFormat::Docx, StudyFormat::Csv};
    const auto first = writeStudyTableFiles(table, folder.path(), formats, Created);
    ASSERT_EQ(first.size(), 6u);
    EXPECT_EQ(first[1].filename(), "study-table.xlsx");
    EXPECT_EQ(first[5].filename(), "study-table.docx");
    EXPECT_EQ(testing::readFile(first[5]).substr(0, 2), "PK");
    EXPECT_EQ(testing::readFile(first[0]), studyTableText(table, StudyFormat::Csv));
    const auto second = writeStudyTableFiles(table, folder.path(), formats, Created);
    EXPECT_EQ(second[1].filename(), "study-table (2).xlsx");
    EXPECT_EQ(folder.files().size(), 12u);
}

// The office files carry the moment given, not the clock's: the same table
// and moment give the same bytes, another moment other bytes.
TEST(StudyTableFiles, OfficeFilesAreTheSameForTheSameMoment) {
    const StudyTable table = testing::sampleStudyTable();
    const StudyFormat formats[] = {StudyFormat::Xlsx, StudyFormat::Docx};
    TempFolder folder;
    const auto first = writeStudyTableFiles(table, folder.path(), formats, Created);
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));  // past the zip format's two-second steps
    const auto second = writeStudyTableFiles(table, folder.path(), formats, Created);
    const auto third = writeStudyTableFiles(table, folder.path(), formats, {2027, 1, 2, 3, 4, 6});
    for (std::size_t k = 0; k < 2; ++k) {
        SCOPED_TRACE(first.at(k).filename().string());
        EXPECT_EQ(testing::readFile(first.at(k)), testing::readFile(second.at(k)));
        EXPECT_NE(testing::readFile(first.at(k)), testing::readFile(third.at(k)));
    }
    EXPECT_EQ(readOffice(first.at(0))["created"], "2026-12-09 22:32:02");
}

TEST(StudyTableFiles, AFolderThatCannotTakeThemGetsNone) {
    TempFolder folder;
    const StudyFormat formats[] = {StudyFormat::Xlsx, StudyFormat::Docx};
    EXPECT_THROW(writeStudyTableFiles(testing::sampleStudyTable(), folder.path() / "missing", formats, Created), UserError);
    EXPECT_TRUE(folder.files().empty());
}

}  // namespace
}  // namespace cpt
