// A file that removes itself unless committed, and never removes what it did
// not create.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/common/pending_file.h"
#include "support/test_files.h"

namespace cpt {
namespace {

using testing::readFile;
using testing::TempFolder;

TEST(PendingFile, StaysOnlyWhenCommitted) {
    TempFolder folder;
    {
        PendingFile kept;
        kept.open(folder.path() / "kept.txt");
        kept.file().writeLine("done");
        kept.commit();
        PendingFile dropped;
        dropped.open(folder.path() / "dropped.txt");
        dropped.file().writeLine("half");
        PendingFile discarded;
        discarded.open(folder.path() / "discarded.txt");
        discarded.discard();
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "discarded.txt"));
        EXPECT_FALSE(discarded.file().isOpen());
    }
    EXPECT_EQ(folder.files(), std::vector<std::string>{"kept.txt"});
    EXPECT_EQ(readFile(folder.path() / "kept.txt"), "done\r\n");
}

TEST(PendingFile, AFailedCommitRemovesTheFile) {
    TempFolder folder;
    const std::filesystem::path link = folder.path() / "full.txt";
    std::filesystem::create_symlink("/dev/full", link);
    {
        PendingFile file;
        file.open(link);
        file.file().writeLine("one line");
        EXPECT_THROW(file.commit(), std::exception);
    }
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

TEST(PendingFile, LeavesAloneWhatItDidNotCreate) {
    TempFolder folder;
    folder.write("taken.txt", "keep me");
    std::filesystem::create_directory(folder.path() / "a folder");
    {
        PendingFile taken;
        EXPECT_FALSE(taken.openNew(folder.path() / "taken.txt"));
        PendingFile refused;
        EXPECT_THROW(refused.open(folder.path() / "a folder"), std::exception);
    }
    EXPECT_EQ(readFile(folder.path() / "taken.txt"), "keep me");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "a folder"));
}

}  // namespace
}  // namespace cpt
