#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "core/common/user_error.h"
#include "core/study/study_file_set.h"
#include "support/study_sample.h"
#include "support/test_files.h"

namespace cpt {
namespace {

using testing::TempFolder;

std::vector<StudyFileContent> textSet() {
    const StudyTable table = testing::sampleStudyTable();
    std::vector<StudyFileContent> files;
    for (StudyFormat format : {StudyFormat::Csv, StudyFormat::Html, StudyFormat::Tex, StudyFormat::Markdown}) {
        files.push_back({format, studyTableText(table, format)});
    }
    return files;
}

TEST(StudyFileSet, NamesFormatsAndNumbers) {
    EXPECT_EQ(studyFileName(StudyFormat::Csv, 1), "study-table.csv");
    EXPECT_EQ(studyFileName(StudyFormat::Markdown, 2), "study-table (2).md");
    for (StudyFormat format : AllStudyFormats) {
        EXPECT_EQ(studyFormatOfExtension(studyFormatExtension(format)), format);
    }
    EXPECT_FALSE(studyFormatOfExtension("txt").has_value());
    EXPECT_THROW(studyTableText(testing::sampleStudyTable(), StudyFormat::Docx), std::invalid_argument);
}

TEST(StudyFileSet, OneListNamesEveryFormatAndWritesEachOnceThroughTheFrontEndsBytes) {
    EXPECT_EQ(studyFormatWords(" or "), "csv, xlsx, html, tex, md or docx");
    EXPECT_EQ(studyFormatWords(", "), "csv, xlsx, html, tex, md, docx");
    ASSERT_EQ(AllStudyFormats.size(), std::size(StudyFormats));
    for (std::size_t k = 0; k < AllStudyFormats.size(); ++k) EXPECT_EQ(AllStudyFormats[k], StudyFormats[k].format);

    TempFolder folder;
    std::vector<StudyFormat> asked;
    const DateTime created{2026, 12, 11, 14, 20, 0};
    const StudyTableBytes bytesOf = [&](const StudyTable&, StudyFormat format, const DateTime& stamp) {
        EXPECT_EQ(stamp, created);
        asked.push_back(format);
        return "bytes of " + std::string(studyFormatExtension(format));
    };
    const StudyFormat formats[] = {StudyFormat::Docx, StudyFormat::Csv, StudyFormat::Docx};
    const auto paths = writeStudyFormats(testing::sampleStudyTable(), folder.path(), formats, created, bytesOf);
    EXPECT_EQ(asked, (std::vector<StudyFormat>{StudyFormat::Docx, StudyFormat::Csv}));
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0].filename(), "study-table.docx");
    EXPECT_EQ(testing::readFile(paths[1]), "bytes of csv");
}

TEST(StudyFileSet, WritesTheSetUnderOneFreeNumber) {
    TempFolder folder;
    const auto files = textSet();
    const auto first = writeStudyFileSet(folder.path(), files);
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0], folder.path() / "study-table.csv");
    EXPECT_EQ(testing::readFile(first[2]), files[2].bytes);
    // One taken name moves the whole set on.
    folder.write("study-table (2).md", "mine");
    const auto third = writeStudyFileSet(folder.path(), files);
    EXPECT_EQ(third[0], folder.path() / "study-table (3).csv");
    EXPECT_EQ(third[3], folder.path() / "study-table (3).md");
    EXPECT_EQ(testing::readFile(folder.path() / "study-table (2).md"), "mine");
    EXPECT_EQ(folder.files().size(), 9u);
}

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit lowered = previous_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(StudyFileSet, OneFailedFileLeavesNoneOfTheSet) {
    TempFolder folder;
    std::vector<StudyFileContent> files = textSet();
    files[2].bytes.assign(100000, 'x');
    try {
        FileSizeLimit limit(50000);
        writeStudyFileSet(folder.path(), files);
        ADD_FAILURE() << "a file larger than the limit was written";
    } catch (const UserError& error) {
        EXPECT_NE(std::string(error.what()).find("study-table.tex"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(folder.files().empty());
    EXPECT_THROW(writeStudyFileSet(folder.path() / "missing", files), UserError);
    EXPECT_TRUE(folder.files().empty());
}

}  // namespace
}  // namespace cpt
