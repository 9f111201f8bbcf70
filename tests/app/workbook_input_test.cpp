// The desktop program's Cartesian test takes a workbook as well: its
// treatments give the run of the same values in described files.
#include <QPushButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "app/desktop_application.h"
#include "app/main_window_widget.h"
#include "study_files/zip_archive.h"
#include "support/cartesian_run.h"
#include "support/scripted_dialogs.h"
#include "support/test_clock.h"
#include "support/test_files.h"

namespace cpt::app {
namespace {

struct Host {
    const char* name;
    const char* sampleSize;
    const char* estimate;
    std::vector<std::string> values;
};
const Host Hosts[] = {
    {"Maize", "60", "0.1512", {"0.1466", "0.1492", "0.1473", "0.1497"}},
    {"Wheat", "48", "0.121", {"0.1198", "0.1243", "0.1187", "0.1222"}},
};

// One column per host: its name, then its values.
std::string workbookOfHosts() {
    std::string rows = "<row r=\"1\">";
    for (const Host& host : Hosts) rows += std::string("<c t=\"inlineStr\"><is><t>") + host.name + "</t></is></c>";
    rows += "</row>";
    for (std::size_t k = 0; k < 4; ++k) {
        rows += "<row r=\"" + std::to_string(k + 2) + "\">";
        for (const Host& host : Hosts) rows += "<c><v>" + host.values[k] + "</v></c>";
        rows += "</row>";
    }
    const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::string relations = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const std::vector<ZipEntry> parts{
        {"xl/workbook.xml", "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + relations +
                                "\"><sheets><sheet name=\"Hosts\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship "
         "Id=\"rId1\" Type=\"" + relations + "/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
        {"xl/worksheets/sheet1.xml", "<worksheet xmlns=\"" + main + "\"><sheetData>" + rows + "</sheetData></worksheet>"},
    };
    return zipArchive(parts, std::time_t{0}, "the test workbook");
}

struct Desktop {
    Desktop() : application(dialogs, clock, false) { application.context().workingDirectory = folder.path(); }
    std::string runReport() {
        qobject_cast<QPushButton*>(application.mainWindow().widget("cmdCartesianDifference"))->click();
        EXPECT_TRUE(dialogs.allAnswered());
        return cpt::testing::readFile(folder.path() / application.context().state.OutputFileName);
    }

    cpt::testing::TempFolder folder;
    cpt::testing::ScriptedDialogs dialogs;
    cpt::testing::TestClock clock;
    DesktopApplication application;
};

TEST(WorkbookInput, AWorkbookGivesTheRunOfTheSameValuesInDescribedFiles) {
    Desktop described;
    std::vector<std::filesystem::path> files;
    for (const Host& host : Hosts) {
        files.push_back(described.folder.write(
            std::string(host.name) + ".txt",
            cpt::testing::treatmentText(host.name, "r", 4, host.values, std::stoi(host.sampleSize), host.estimate)));
    }
    cpt::testing::scriptPlainRun(described.dialogs, files);

    Desktop fromWorkbook;
    const auto workbook = fromWorkbook.folder.write("r.xlsx", workbookOfHosts());
    cpt::testing::ScriptedDialogs& dialogs = fromWorkbook.dialogs;
    dialogs.answerMessage("Detailed differences", AnswerNo).answerMessage("Reversed sort", AnswerNo);
    dialogs.answerInput(cpt::testing::CountTitle, "2").answerOpenFile("Input treatment 1", workbook.string());
    for (const Host& host : Hosts) dialogs.answerInput("Sample size", host.sampleSize).answerInput("Estimate", host.estimate);
    dialogs.answerInput("Parameter", "r");
    dialogs.answerInput("Add a code to the output filename?", "1");

    EXPECT_EQ(fromWorkbook.runReport(), described.runReport());
}

std::vector<std::filesystem::path> writeDescribed(const cpt::testing::TempFolder& folder, const std::string& code) {
    std::vector<std::filesystem::path> files;
    for (const Host& host : Hosts) {
        files.push_back(folder.write(
            std::string(host.name) + ".txt",
            cpt::testing::treatmentText(host.name, code, 4, host.values, std::stoi(host.sampleSize), host.estimate)));
    }
    return files;
}

void expectNoOptionNamed(const cpt::testing::ScriptedDialogs& dialogs) {
    for (const auto& shown : dialogs.shown) EXPECT_EQ(shown.prompt.find("--"), std::string::npos) << shown.prompt;
}

// The workbook has no parameter column: its code is asked after the entries,
// its file's name the default; the answer names the report and its file.
TEST(WorkbookInput, TheParameterBoxGivesTheCodeOfTheReportAndItsName) {
    for (const char* code : {"r", "lambda"}) {
        SCOPED_TRACE(code);
        Desktop described;
        cpt::testing::scriptPlainRun(described.dialogs, writeDescribed(described.folder, code));

        Desktop fromWorkbook;
        const auto workbook = fromWorkbook.folder.write("r.xlsx", workbookOfHosts());
        cpt::testing::ScriptedDialogs& dialogs = fromWorkbook.dialogs;
        dialogs.answerMessage("Detailed differences", AnswerNo).answerMessage("Reversed sort", AnswerNo);
        dialogs.answerInput(cpt::testing::CountTitle, "2").answerOpenFile("Input treatment 1", workbook.string());
        for (const Host& host : Hosts) dialogs.answerInput("Sample size", host.sampleSize).answerInput("Estimate", host.estimate);
        dialogs.answerInput("Parameter", code);
        dialogs.answerInput("Add a code to the output filename?", "1");

        EXPECT_EQ(fromWorkbook.runReport(), described.runReport());
        EXPECT_EQ(fromWorkbook.application.context().state.OutputFileName,
                  described.application.context().state.OutputFileName);
        ASSERT_GE(dialogs.shown.size(), 9u);
        EXPECT_EQ(dialogs.shown[8].title, "Parameter");
        EXPECT_EQ(dialogs.shown[8].defaultText, "r");
        expectNoOptionNamed(dialogs);
    }
}

TEST(WorkbookInput, ABadSecondFileAskedAgainGivesTheRunOfTheGoodFileAtOnce) {
    Desktop atOnce;
    const auto good = writeDescribed(atOnce.folder, "r");
    cpt::testing::scriptPlainRun(atOnce.dialogs, good);

    Desktop askedAgain;
    const auto files = writeDescribed(askedAgain.folder, "r");
    const auto bad = askedAgain.folder.write("broken.xlsx", "not a workbook");
    cpt::testing::ScriptedDialogs& dialogs = askedAgain.dialogs;
    dialogs.answerMessage("Detailed differences", AnswerNo).answerMessage("Reversed sort", AnswerNo);
    dialogs.answerInput(cpt::testing::CountTitle, "2").answerOpenFile("Input treatment 1", files[0].string());
    dialogs.answerOpenFile("Input treatment 2", bad.string()).answerMessage("File not used", AnswerOk);
    dialogs.answerOpenFile("Input treatment 2", files[1].string());
    dialogs.answerInput("Add a code to the output filename?", "1");

    EXPECT_EQ(askedAgain.runReport(), atOnce.runReport());
    const auto told = std::find_if(dialogs.shown.begin(), dialogs.shown.end(),
                                   [](const auto& shown) { return shown.title == "File not used"; });
    ASSERT_NE(told, dialogs.shown.end());
    EXPECT_NE(told->prompt.find("broken.xlsx"), std::string::npos) << told->prompt;
    expectNoOptionNamed(dialogs);
}

}  // namespace
}  // namespace cpt::app
