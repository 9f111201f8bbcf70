#include "app/user_guide.h"

#include <gtest/gtest.h>

#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace cpt::app {
namespace {

TEST(UserGuideFile, TheInstalledGuideFirstThenTheBuildsThenNone) {
    struct Case {
        const char* label;
        const char* program;  // the program's folder under the root
        std::vector<const char*> guides;
        const char* expected;  // under the root; nullptr: none
    } const cases[] = {
        {"installed", "usr/bin", {"usr/share/doc/cpt/guide.html"}, "usr/share/doc/cpt/guide.html"},
        {"build tree", "build/src/app", {"build/docs/guide/guide.html"}, "build/docs/guide/guide.html"},
        {"installed beats a build's", "usr/bin", {"usr/share/doc/cpt/guide.html", "docs/guide/guide.html"},
         "usr/share/doc/cpt/guide.html"},
        {"installed without the guide", "usr/bin", {}, nullptr},
        {"a folder in the guide's place", "usr/bin", {"usr/share/doc/cpt/guide.html/"}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        QDir top(root.path());
        ASSERT_TRUE(top.mkpath(c.program));
        for (const QString guide : c.guides) {
            if (guide.endsWith('/')) {
                ASSERT_TRUE(top.mkpath(guide));
                continue;
            }
            ASSERT_TRUE(top.mkpath(QFileInfo(top.filePath(guide)).path()));
            QFile file(top.filePath(guide));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        const QString expected = c.expected ? QDir::cleanPath(top.filePath(c.expected)) : QString();
        EXPECT_EQ(userGuideFile(top.filePath(c.program)), expected);
    }
}

}  // namespace
}  // namespace cpt::app
