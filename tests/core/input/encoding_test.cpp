#include <gtest/gtest.h>

#include <string>

#include "core/common/byte_source.h"
#include "core/common/field_reader.h"
#include "core/common/user_error.h"
#include "core/sorting/data_file_reading.h"
#include "support/test_files.h"

namespace cpt {
namespace {

// UTF-16 code units of a UTF-8 text (ASCII, two- and three-byte characters
// and one beyond the basic plane, as a surrogate pair).
std::string utf16(std::u16string_view units, bool little) {
    std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += little ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

std::string readAll(ByteSource source) {
    std::string text;
    char chunk[7];  // small, so that characters and surrogate pairs straddle reads
    while (const std::size_t got = source.read(chunk, sizeof chunk)) text.append(chunk, got);
    return text;
}

TEST(ByteSource, TranscodesUtf16OfEitherOrderAndDropsMarks) {
    const std::u16string units = u"Ma\u00EFs,\u20AC,\U0001F33D\r\n0.5";
    const std::string utf8 = "Ma\xC3\xAFs,\xE2\x82\xAC,\xF0\x9F\x8C\xBD\r\n0.5";
    const std::pair<std::string, std::string> cases[] = {
        {utf16(units, true), utf8},
        {utf16(units, false), utf8},
        {"\xEF\xBB\xBF" + utf8, utf8},
        {utf8, utf8},
        {"caf\xE9,1", "caf\xE9,1"},  // Latin-1: the bytes are kept
        {utf16(u"a\xD800" u"b", true), "a\xEF\xBF\xBD" "b"},  // a lone surrogate
        {utf16(u"a", true) + "b", "a\xEF\xBF\xBD"},            // a lone last byte
    };
    for (const auto& [bytes, expected] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(readAll(ByteSource(bytes, "t.txt")), expected);
        EXPECT_EQ(asUtf8(bytes), expected);
    }
}

TEST(ByteSource, StreamsLargeUtf16FilesAcrossItsChunks) {
    std::u16string units;
    std::string expected;
    for (int i = 0; i < 100000; ++i) {
        units += u"\u00E9\U0001F33D,";
        expected += "\xC3\xA9\xF0\x9F\x8C\xBD,";
    }
    testing::TempFolder folder;
    const auto path = folder.write("big.txt", utf16(units, false));
    EXPECT_EQ(readAll(ByteSource::fromFile(path)), expected);
}

TEST(FieldReader, ReadsUtf16FilesLikeTheirUtf8) {
    testing::TempFolder folder;
    const std::u16string units = u"\"Ma\u00EFs\",n,20,B,2,r,20,0.25\r\n0.1\r\n0.2\r\n";
    for (const bool little : {true, false}) {
        FieldReader reader = FieldReader::fromFile(folder.write("u.txt", utf16(units, little)));
        EXPECT_EQ(reader.readText("name"), "Ma\xC3\xAFs");
        for (int i = 0; i < 6; ++i) reader.skip("heading");
        EXPECT_EQ(reader.readNumber("estimate"), 0.25);
        EXPECT_EQ(reader.readNumber("value"), 0.1);
        EXPECT_EQ(reader.readNumber("value"), 0.2);
        EXPECT_TRUE(reader.atEnd());
    }
}

TEST(FieldReader, EightSemicolonFieldsOnTheFirstLineMeanADecimalComma) {
    for (const bool fromFile : {false, true}) {
        const std::string contents = "Maize;Sample size;20;B;2;r;20;0,2134\n0,5;-1,25E-1\n\"a;b\";3\n";
        testing::TempFolder folder;
        FieldReader reader = fromFile ? FieldReader::fromFile(folder.write("s.txt", contents))
                                      : FieldReader(contents, "s.txt");
        EXPECT_EQ(reader.separator(), ';');
        EXPECT_EQ(reader.readText("name"), "Maize");
        for (int i = 0; i < 6; ++i) reader.skip("heading");
        EXPECT_EQ(reader.readNumber("estimate"), 0.2134);
        EXPECT_EQ(reader.readNumber("value"), 0.5);
        EXPECT_EQ(reader.readNumber("value"), -0.125);
        EXPECT_EQ(reader.readText("text"), "a;b");
        EXPECT_EQ(reader.readNumber("value"), 3);
    }
}

TEST(FieldReader, FewerSemicolonsLeaveTheCommaTheSeparator) {
    const char* const texts[] = {"a;b;c;d;e;f;g,1,2", "\"a;b;c;d;e;f;g;h\",1", "a,b\nc;d;e;f;g;h;i;j"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(FieldReader(text, "c.txt").separator(), ',');
    }
    EXPECT_EQ(describedSeparator("a;b;c;d;e;f;g;h"), ';');
}

TEST(DataFileReading, ReadsUtf16AndSemicolonDataFilesLikeTheirUtf8) {
    testing::TempFolder folder;
    const std::string plain = "Maize,n,20,B,3,r,20,0.25\r\n0.1\r\n0.2\r\n0.4\r\n";
    const std::u16string units = u"Maize,n,20,B,3,r,20,0.25\r\n0.1\r\n0.2\r\n0.4\r\n";
    const std::string files[] = {utf16(units, true), utf16(units, false), "\xEF\xBB\xBF" + plain,
                                 "Maize;n;20;B;3;r;20;0,25\n0,1\n0,2\n0,4\n"};
    const DataFileContents expected =
        readDataFile(folder.write("plain.txt", plain), SortCountKind::Bootstrap, false);
    for (const std::string& file : files) {
        const DataFileContents got = readDataFile(folder.write("d.txt", file), SortCountKind::Bootstrap, false);
        EXPECT_EQ(got.heading.treatmentName, "Maize");
        EXPECT_EQ(got.heading.pointEstimate, expected.heading.pointEstimate);
        ASSERT_EQ(got.values.size(), 3u);
        EXPECT_EQ(got.total, expected.total);
        EXPECT_EQ(got.values[2], expected.values[2]);
    }
}

}  // namespace
}  // namespace cpt
