#include "app/start_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace cpt::app {
namespace {

enum class Expect { Working, Examples };

TEST(FirstDialogFolder, ExamplesOnlyForAnInstalledProgramAndAWorkingFolderWithoutTxtFiles) {
    struct Case {
        const char* label;
        bool installed;         // prefix/share/cpt/examples beside prefix/bin
        const char* workingFile;  // a file in the working folder, or none
        Expect expect;
    } const cases[] = {
        {"installed, empty working folder", true, nullptr, Expect::Examples},
        {"installed, working folder without .txt", true, "notes.csv", Expect::Examples},
        {"installed, working folder with .txt", true, "Maize.txt", Expect::Working},
        {"build tree, empty working folder", false, nullptr, Expect::Working},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        QDir prefix(root.path());
        ASSERT_TRUE(prefix.mkpath("bin"));
        ASSERT_TRUE(prefix.mkpath("work"));
        if (c.installed) ASSERT_TRUE(prefix.mkpath("share/cpt/examples"));
        const QString working = prefix.filePath("work");
        if (c.workingFile) {
            QFile file(QDir(working).filePath(c.workingFile));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        const QString expected =
            c.expect == Expect::Examples ? prefix.filePath("share/cpt/examples") : working;
        EXPECT_EQ(firstDialogFolder(working, prefix.filePath("bin")), expected);
    }
}

}  // namespace
}  // namespace cpt::app
