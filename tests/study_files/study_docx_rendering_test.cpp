// The Word document as a reader sees it: rendered by LibreOffice Writer to
// PDF and read back as laid-out text, no value, name or heading word may be
// split over two lines, and the table stays within the page.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/study/study_labels.h"
#include "study_files/study_table_files.h"
#include "support/study_sample.h"
#include "support/test_files.h"

namespace cpt {
namespace {

using testing::TempFolder;

const DateTime Created{2026, 12, 9, 22, 32, 2};

bool haveCommand(const std::string& name) {
    return std::system(("command -v " + name + " > /dev/null 2>&1").c_str()) == 0;
}

// The text of the page as pdftotext -layout places it, one string a line,
// no-break spaces as blanks.
std::vector<std::string> pageLines(const std::filesystem::path& pdf, const TempFolder& folder) {
    const std::filesystem::path text = folder.path() / (pdf.stem().string() + ".txt");
    const std::string command = "pdftotext -layout '" + pdf.string() + "' '" + text.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::string contents = testing::readFile(text);
    for (std::size_t at; (at = contents.find("\u00A0")) != std::string::npos;) contents.replace(at, 2, " ");
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find('\n', start);
        if (end == std::string::npos) end = contents.size();
        lines.push_back(contents.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool onOneLine(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines) {
        if (line.find(text) != std::string::npos) return true;
    }
    return false;
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> found;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) found.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return found;
}

std::string pageSize(const std::filesystem::path& pdf, const TempFolder& folder) {
    const std::filesystem::path info = folder.path() / (pdf.stem().string() + ".info");
    EXPECT_EQ(std::system(("pdfinfo '" + pdf.string() + "' > '" + info.string() + "'").c_str()), 0);
    const std::string contents = testing::readFile(info);
    const std::size_t at = contents.find("Page size:");
    return at == std::string::npos ? "" : contents.substr(at, contents.find('\n', at) - at);
}

StudyTable wideTable(int treatments, const std::string& parameter) {
    std::vector<StudyParameterRun> study(2);
    study[0].parameter = parameter;
    study[1].parameter = "lambda";
    for (int p = 0; p < 2; ++p) {
        std::vector<TreatmentStatistics> list;
        std::vector<std::string> labels;
        for (int t = 0; t < treatments; ++t) {
            const std::string name = t % 2 == 0 ? "Treatment " + std::to_string(t + 1)
                                                : "Maize-" + std::to_string(t + 1) + " (irrigated)";
            list.push_back(testing::studyTreatment(name, t, p == 0 ? 0.151234 + t : 1.16327, 0.0058 + 0.001 * t));
            labels.push_back(t % 3 == 0 ? " abc" : " ab");
        }
        study[static_cast<std::size_t>(p)].result = testing::studyResult(list, labels, 3);
    }
    return buildStudyTable(study);
}

TEST(StudyWordRendering, NoCellBreaksAndTheTableFitsItsPage) {
    if (!haveCommand("soffice") || !haveCommand("pdftotext") || !haveCommand("pdfinfo")) {
        GTEST_SKIP() << "needs LibreOffice (soffice) and poppler-utils (pdftotext, pdfinfo); scripts/setup.sh installs them";
    }
    struct Case {
        const char* name;
        StudyTable table;
        bool landscape;
    };
    std::vector<Case> cases;
    cases.push_back({"sample", testing::sampleStudyTable(), false});
    cases.push_back({"six", wideTable(6, "Net reproductive rate"), true});
    cases.push_back({"twelve", wideTable(12, "r"), true});
    TempFolder folder;
    std::string inputs;
    for (const Case& c : cases) {
        const StudyFormat formats[] = {StudyFormat::Docx};
        const std::filesystem::path written = writeStudyTableFiles(c.table, folder.path(), formats, Created).at(0);
        const std::filesystem::path named = folder.path() / (std::string(c.name) + ".docx");
        std::filesystem::rename(written, named);
        inputs += " '" + named.string() + "'";
    }
    // A profile of its own, so that a LibreOffice the user has open is not disturbed.
    const std::string command = "soffice -env:UserInstallation=file://" + (folder.path() / "profile").string() +
                                " --headless --convert-to pdf --outdir '" + folder.path().string() + "'" + inputs +
                                " > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path pdf = folder.path() / (std::string(c.name) + ".pdf");
        ASSERT_TRUE(std::filesystem::exists(pdf));
        const std::vector<std::string> lines = pageLines(pdf, folder);
        // CPT_KEEP_RENDERING=DIR keeps the PDFs, to look at.
        if (const char* keep = std::getenv("CPT_KEEP_RENDERING")) {
            std::filesystem::copy(pdf, keep, std::filesystem::copy_options::overwrite_existing);
        }
        EXPECT_TRUE(onOneLine(lines, "Parameter"));
        for (const std::string& treatment : c.table.treatments) {
            for (const std::string& word : words(treatment)) EXPECT_TRUE(onOneLine(lines, word)) << word;
        }
        for (const StudyRow& row : c.table.rows) {
            EXPECT_TRUE(onOneLine(lines, printedLabel(row))) << row.parameter;
            for (const auto& cell : row.cells) {
                if (cell) EXPECT_TRUE(onOneLine(lines, cell->values)) << cell->values;
            }
        }
        // "Page size:       595.304 x 841.89 pts (A4)", turned or not.
        const std::string size = pageSize(pdf, folder);
        ASSERT_NE(size.find("(A4)"), std::string::npos) << size;
        const double width = std::stod(size.substr(size.find(':') + 1));
        const double height = std::stod(size.substr(size.find(" x ") + 3));
        EXPECT_EQ(width > height, c.landscape) << size;
    }
}

}  // namespace
}  // namespace cpt
