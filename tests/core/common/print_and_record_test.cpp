#include <gtest/gtest.h>

#include <string>

#include "core/common/output_file.h"
#include "core/common/print_line.h"
#include "core/common/record_writer.h"
#include "support/test_files.h"

namespace cpt {
namespace {

using testing::readFile;
using testing::TempFolder;

TEST(PrintLine, ItemsColumnsAndPassedColumns) {
    TempFolder folder;
    OutputFile file(folder.path() / "out.txt");
    PrintLine line(file);
    line.text("Original =").col(25).number(0.5).col(50).number(-3).end();
    line.col(15).text("n ").col(35).number(9000000).end();
    line.text("ABCDEFGHIJKLMNOP").col(16).text("x").end();   // column 16 already passed
    line.text("ABCDEFGHIJKLMNO").col(16).text("y").end();    // exactly at column 16: stays
    line.text("* wide").col(3).text("*").end();
    line.text("\xC3\xA9t\xC3\xA9").col(5).text("|").end();   // two-byte letters count once
    line.line("");
    file.close();
    EXPECT_EQ(readFile(folder.path() / "out.txt"),
              "Original =               .5                      -3 \r\n"
              "              n                    9000000 \r\n"
              "ABCDEFGHIJKLMNOP\r\n               x\r\n"
              "ABCDEFGHIJKLMNOy\r\n"
              "* wide\r\n  *\r\n"
              "\xC3\xA9t\xC3\xA9 |\r\n"
              "\r\n");
}

TEST(Record, TextAndNumberItems) {
    TempFolder folder;
    OutputFile file(folder.path() / "out.txt");
    Record record(file);
    record.text("A vs B").end();
    record.number(1).number(-3).end();
    record.text("Original means").number(0.25).number(-0.5).end();
    record.number(4).number(1e-7).end();
    file.close();
    EXPECT_EQ(readFile(folder.path() / "out.txt"),
              "\"A vs B\"\r\n1,-3\r\n\"Original means\",.25,-.5\r\n4,1E-07\r\n");
}

// A write that fills the buffer, or would overfill it, into an empty or a
// part-filled buffer, arrives whole and in place.
TEST(OutputFile, WritesAroundTheBufferSizeArriveWhole) {
    for (const std::size_t size : {OutputFile::Capacity, OutputFile::Capacity + 1}) {
        for (const std::string before : {"", "<"}) {
            SCOPED_TRACE(std::to_string(size) + " bytes after " + std::to_string(before.size()));
            TempFolder folder;
            std::string text(size, ' ');
            for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>('a' + i % 26);
            OutputFile file(folder.path() / "out.txt");
            file.write(before);
            file.write(text);
            file.write('>');
            file.close();
            EXPECT_TRUE(readFile(folder.path() / "out.txt") == before + text + ">");
        }
    }
}

TEST(OutputFile, ReportsAFileThatCannotBeCreated) {
    TempFolder folder;
    try {
        OutputFile file(folder.path() / "no such folder" / "out.txt");
        FAIL() << "created a file in a missing folder";
    } catch (const std::exception& error) {
        std::string message = error.what();
        EXPECT_NE(message.find("out.txt"), std::string::npos) << message;
        EXPECT_NE(message.find("No such file or directory"), std::string::npos) << message;
    }
}

TEST(OutputFile, ReportsAFullDisk) {
    OutputFile file("/dev/full");
    file.writeLine("one line");
    EXPECT_THROW(file.close(), std::exception);
    EXPECT_FALSE(file.isOpen());
}

TEST(OutputFile, CreateNewRefusesAnExistingFile) {
    TempFolder folder;
    folder.write("taken.txt", "keep me");
    OutputFile file;
    EXPECT_FALSE(file.openNew(folder.path() / "taken.txt"));
    EXPECT_EQ(readFile(folder.path() / "taken.txt"), "keep me");
    EXPECT_TRUE(file.openNew(folder.path() / "free.txt"));
    file.close();
}

}  // namespace
}  // namespace cpt
