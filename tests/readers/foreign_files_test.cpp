// A file that is no treatment file is refused for what it is, in one line,
// whatever it is named, without a byte of it quoted; and no message that
// quotes a file's text carries a control character.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "core/common/user_error.h"
#include "core/input/text_treatments.h"
#include "support/foreign_files.h"
#include "support/test_files.h"
#include "xlsx/read_treatments.h"

namespace cpt {
namespace {

bool hasControlCharacter(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

std::string refusalOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const UserError& error) {
        return error.what();
    }
    return "(no complaint)";
}

ReadOptions givenSizes() {
    ReadOptions options;
    options.sampleSize = 10;
    options.estimates = {{"Maize", 0.1}, {"Sorghum", 0.2}};
    return options;
}

TEST(ForeignFiles, EachIsRefusedForWhatItIsInOneCleanLine) {
    testing::TempFolder folder;
    int k = 0;
    for (const testing::ForeignFile& file : testing::foreignFiles()) {
        SCOPED_TRACE(file.name + ": " + file.refusal);
        const auto path = folder.path() / std::to_string(++k) / file.name;
        std::filesystem::create_directories(path.parent_path());
        folder.write(std::to_string(k) + "/" + file.name, file.bytes);
        const std::string fromDisk = refusalOf([&] { readTreatments(path, givenSizes()); });
        const std::string fromMemory = refusalOf([&] { readTreatments(file.bytes, file.name, givenSizes()); });
        EXPECT_EQ(fromDisk, "The file \"" + path.string() + "\" " + file.refusal);
        EXPECT_EQ(fromMemory, "The file \"" + file.name + "\" " + file.refusal);
        EXPECT_FALSE(hasControlCharacter(fromDisk)) << fromDisk;
    }
}

TEST(ForeignFiles, TheCoresListNamesOnlyItsOwnFormats) {
    const testing::ForeignFile pdf = testing::foreignFiles()[3];
    ASSERT_EQ(pdf.name, "r.pdf");
    EXPECT_EQ(refusalOf([&] { readTextTreatments(pdf.bytes, pdf.name, {}); }),
              "The file \"r.pdf\" is a PDF document: an input file is a bootstrap result file or a text table "
              "(.csv, .tsv).");
}

// An empty text file is told by the form it was taken for: what that form lacks.
TEST(ForeignFiles, AnEmptyTextFileSaysWhatItLacks) {
    const struct {
        const char* name;
        const char* message;
    } cases[] = {
        {"r.csv", "it is empty, but a table needs a header row and values below it."},
        {"r.txt", "it is empty, but a bootstrap result file begins with eight heading fields and its values follow "
                  "them."},
        {"r", "it is empty, but a bootstrap result file begins with eight heading fields and its values follow them."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(refusalOf([&] { readTreatments(std::string(), c.name, givenSizes()); }),
                  std::string("The file \"") + c.name + "\" cannot be used: " + c.message);
    }
}

// Text that passes for a table or a described file, with control characters
// or bytes of no UTF-8 in the field a message quotes.
TEST(ForeignFiles, AQuotedFieldReachesTheMessageWithoutItsControlCharacters) {
    const struct {
        const char* name;
        std::string contents;
        std::string message;  // after "cannot be used: "
    } cases[] = {
        {"r.csv", "Maize,Sorghum\n0.1,0.2\n0.3,\x1B[2J\x07\n",
         "row 3, column 2 (treatment \"Sorghum\") should be a bootstrap value (a number), but it holds "
         "\"\uFFFD[2J\uFFFD\"."},
        {"r.csv", "Maize,Sorghum\n0.1,0.2\n\"0.3\r\n0.4\",0.5\n",
         "row 3, column 1 (treatment \"Maize\") should be a bootstrap value (a number), but it holds "
         "\"0.3\uFFFD\uFFFD0.4\"."},
        {"r.csv", "Maize,Sor\x01ghum\n1,\n2,\n",
         "column \"Sor\uFFFDghum\" of r.csv holds no values: every cell below its name is empty."},
        {"r.txt", "\"M\",\"n\",10,\"B\",3,\"r\",10,0.5\r\n0.1\r\n\xC3\x28\x01\r\n",
         "field 10 should be bootstrap value 2 (a number), but it holds \"\uFFFD(\uFFFD\"."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const std::string message = refusalOf([&] { readTreatments(c.contents, c.name, givenSizes()); });
        EXPECT_EQ(message, std::string("The file \"") + c.name + "\" cannot be used: " + c.message);
        EXPECT_FALSE(hasControlCharacter(message)) << message;
    }
}

TEST(TreatmentFormatList, OffersEveryFormatsPatternsInOrder) {
    EXPECT_EQ(treatmentFormats().patterns(), (std::vector<std::string>{"*.txt", "*.csv", "*.tsv", "*.xlsx"}));
    EXPECT_EQ(treatmentFormats().namesInProse(), testing::Formats);
    EXPECT_EQ(textTreatmentFormats().patterns(), (std::vector<std::string>{"*.txt", "*.csv", "*.tsv"}));
}

}  // namespace
}  // namespace cpt
