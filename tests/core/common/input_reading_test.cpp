#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/common/decimal_parse.h"
#include "core/common/field_reader.h"
#include "core/common/numeric_answer.h"
#include "core/common/rounding.h"
#include "core/common/user_error.h"
#include "support/test_files.h"

namespace cpt {
namespace {

TEST(FieldReader, SeparatorsQuotesBlanksAndLineEnds) {
    FieldReader reader("\"Host A\",n, 30 ,B,3000,\"R1\"\r\n30,.25\r\n-1.5E-2\n  7\n\n", "a.txt");
    EXPECT_EQ(reader.readText("name"), "Host A");
    EXPECT_EQ(reader.readText("label"), "n");
    EXPECT_EQ(reader.readInteger("sample size"), 30);
    reader.skip("label");
    EXPECT_EQ(reader.readInteger("B"), 3000);
    EXPECT_EQ(reader.readText("code"), "R1");
    EXPECT_EQ(reader.readNumber("size"), 30);
    EXPECT_EQ(reader.readNumber("estimate"), 0.25);
    EXPECT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.readNumber("value"), -0.015);
    EXPECT_EQ(reader.readNumber("value"), 7);
    EXPECT_EQ(reader.fieldNumber(), 10);
    EXPECT_TRUE(reader.atEnd());
}

TEST(FieldReader, QuotedFieldMayHoldCommas) {
    FieldReader reader("\"a, b\",2", "q.txt");
    EXPECT_EQ(reader.readText("name"), "a, b");
    EXPECT_EQ(reader.readNumber("value"), 2);
    EXPECT_TRUE(reader.atEnd());
}

struct BadCase {
    const char* contents;
    const char* expectedPart;
};

TEST(FieldReader, ComplaintsNameFileFieldAndWhatWasDue) {
    const BadCase cases[] = {
        {"1,abc", "field 2 should be a bootstrap value (a number), but it holds \"abc\""},
        {"1,", "ends at field 2, where a bootstrap value was expected"},
        {"1,nan", "field 2 should be a bootstrap value"},
        {"1,inf", "field 2 should be a bootstrap value"},
        {"1,1e999", "field 2 should be a bootstrap value"},
        {"1,0x10", "field 2 should be a bootstrap value"},
        {"1,,", "field 2 should be a bootstrap value (a number), but it holds \"\""},
        {"1,1e400", "field 2 should be a bootstrap value"},
        {"\xEF\xBB\xBF" "1,x", "field 2 should be a bootstrap value (a number), but it holds \"x\""},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.contents);
        FieldReader reader(c.contents, "t1.txt");
        reader.readNumber("a bootstrap value");
        try {
            reader.readNumber("a bootstrap value");
            ADD_FAILURE() << "no complaint";
        } catch (const UserError& error) {
            std::string message = error.what();
            EXPECT_NE(message.find("t1.txt"), std::string::npos) << message;
            EXPECT_NE(message.find(c.expectedPart), std::string::npos) << message;
        }
    }
}

TEST(FieldReader, ByteOrderMarkIsNoPartOfTheFirstField) {
    const std::pair<const char*, const char*> cases[] = {
        {"\xEF\xBB\xBF\"Host A\",2", "Host A"},
        {"\xEF\xBB\xBFHost A,2", "Host A"},
        {"\xEF\xBB,2", "\xEF\xBB"},  // a cut mark is data
    };
    for (const auto& [contents, first] : cases) {
        FieldReader reader(contents, "bom.txt");
        EXPECT_EQ(reader.readText("name"), first);
        EXPECT_EQ(reader.readNumber("value"), 2);
    }
    const testing::TempFolder folder;
    FieldReader fromFile = FieldReader::fromFile(folder.write("bom_treatment.txt", "\xEF\xBB\xBF\"Host A\",n"));
    EXPECT_EQ(fromFile.readText("name"), "Host A");
}

// Fields that cross the reader's buffer come out whole, CR LF split or not.
TEST(FieldReader, StreamsFilesLargerThanItsBuffer) {
    const testing::TempFolder folder;
    const std::filesystem::path path = folder.path() / "long_stream.txt";
    const std::string longText(FieldReader::MaxFieldLength - 1, 'a');
    {
        std::ofstream out(path, std::ios::binary);
        out << "\"" << longText << "\"\r\n";
        for (int i = 0; i < 300000; ++i) out << i << (i % 2 ? "\r\n" : ",");
    }
    FieldReader reader = FieldReader::fromFile(path);
    EXPECT_EQ(reader.readText("name"), longText);
    for (int i = 0; i < 300000; ++i) ASSERT_EQ(reader.readNumber("value"), i);
    EXPECT_TRUE(reader.atEnd());
}

TEST(FieldReader, RefusesAFieldLongerThanOneMegabyte) {
    const testing::TempFolder folder;
    const std::string path =
        folder.write("long_field.txt", "name,\"" + std::string(FieldReader::MaxFieldLength + 1, 'x') + "\"").string();
    const std::pair<std::string, const char*> cases[] = {
        {path, "field 2 (a label) is longer than 1 MB."},
        // Endless input: refused, not held in memory.
        {"/dev/zero", "field 1 (the treatment name) is longer than 1 MB."},
    };
    for (const auto& [file, expected] : cases) {
        FieldReader reader = FieldReader::fromFile(file);
        try {
            reader.readText("the treatment name");
            reader.readText("a label");
            ADD_FAILURE() << "no complaint for " << file;
        } catch (const UserError& error) {
            EXPECT_NE(std::string(error.what()).find(file), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find(expected), std::string::npos) << error.what();
        }
    }
}

TEST(FieldReader, QuotesAtMostEightyCharactersOfABadField) {
    const std::string bad = std::string(79, 'x') + "\xC3\xA9" + std::string(500, 'y');
    FieldReader reader("1," + bad, "q.txt");
    reader.readNumber("a value");
    try {
        reader.readNumber("a value");
        FAIL();
    } catch (const UserError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("\"" + std::string(79, 'x') + "\xC3\xA9\u2026\"."), std::string::npos) << message;
        EXPECT_EQ(message.find('y'), std::string::npos) << message;
    }
    EXPECT_EQ(quotedExcerpt(std::string(80, 'z')), std::string(80, 'z'));
}

TEST(FieldReader, AQuotedFieldCarriesNoControlCharacterNorBrokenUtf8) {
    const struct {
        std::string field, quoted;
    } cases[] = {
        {std::string("PK\x03\x04\x14\0\x06", 7), "PK\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"a\tb\r\nc\x1B[31m\x7F", "a\uFFFDb\uFFFD\uFFFDc\uFFFD[31m\uFFFD"},
        {"\xC2\x85 next line (C1)", "\uFFFD next line (C1)"},
        {"\x89PNG", "\uFFFDPNG"},                         // a lone byte of no UTF-8
        {"\xC3", "\uFFFD"},                               // a sequence cut short
        {"\xC0\xAF", "\uFFFD\uFFFD"},                    // an overlong slash
        {"\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},          // a surrogate
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x90\x9B", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x90\x9B"},
    };
    for (const auto& c : cases) EXPECT_EQ(quotedExcerpt(c.field), c.quoted) << c.field;
    // A replaced byte counts as one character of the eighty.
    EXPECT_EQ(quotedExcerpt(std::string(100, '\x01')), [] {
        std::string expected;
        for (int k = 0; k < 80; ++k) expected += "\uFFFD";
        return expected + "\u2026";
    }());
}

TEST(DecimalParse, BeyondTheDoubleRangeLikeStrtod) {
    const std::string zeros(400, '0');
    const std::pair<std::string, double> finite[] = {
        {"0." + zeros + "1", 0.0},           // 1E-401 in full
        {"1E-401", 0.0},
        {"-1" + zeros + "E-800", 0.0},
        {"4.9406564584124654E-324", 4.9406564584124654E-324},
        {"0." + std::string(320, '0') + "1", 1e-321},
        {"2E-324", 0.0},
        {"3E-324", 4.9406564584124654E-324},
        {"1.7976931348623157E308", 1.7976931348623157E308},
        {"1" + zeros + "E-390", 1e10},
    };
    for (const auto& [text, expected] : finite) {
        std::optional<double> value = parseDecimalExactly(text);
        ASSERT_TRUE(value) << text;
        EXPECT_EQ(*value, expected) << text;
        EXPECT_EQ(*value, std::strtod(text.c_str(), nullptr)) << text;
    }
    const std::string infinite[] = {"1" + zeros, "-1" + zeros, "1E400",   "1.8E308",  "0.01E311",
                                    "1E99999999999999999999",  "0.5E400", "0.5E+400", "-0.5E+400"};
    for (const std::string& text : infinite) {
        std::optional<double> value = parseDecimalExactly(text);
        ASSERT_TRUE(value) << text;
        EXPECT_TRUE(std::isinf(*value)) << text;
    }
    FieldReader reader("1" + zeros, "big.txt");
    EXPECT_THROW(reader.readNumber("a value"), UserError);
}

// Plain decimals take a quicker way than exponents and long digit strings:
// both must give strtod's value, at the edges of the quick way and at random.
TEST(DecimalParse, PlainDecimalsGiveStrtodsValue) {
    const std::string edges[] = {
        "9007199254740992",  "9007199254740993",   "9007199254740991.5", ".9007199254740993", "5.",
        "0.0660871342834174", "-.00869799999999998", "1234567890123456789", ".0000000000000000000001",
        "1.0000000000000000000001", "00000000000000000000000000001.5", "-0", "0.000", "+7.25",
    };
    for (const std::string& text : edges) {
        std::optional<double> value = parseDecimalExactly(text);
        ASSERT_TRUE(value) << text;
        EXPECT_EQ(*value, std::strtod(text.c_str(), nullptr) + 0.0) << text;
    }
    std::mt19937_64 generator(3);
    for (int i = 0; i < 100000; ++i) {
        std::string text = i % 2 ? "" : "-";
        const int digits = 1 + static_cast<int>(generator() % 24);
        const int point = static_cast<int>(generator() % (digits + 1));
        for (int k = 0; k < digits; ++k) {
            if (k == point) text += '.';
            text += static_cast<char>('0' + generator() % 10);
        }
        std::optional<double> value = parseDecimalExactly(text);
        ASSERT_TRUE(value) << text;
        ASSERT_EQ(*value, std::strtod(text.c_str(), nullptr) + 0.0) << text;
    }
    for (const char* refused : {".", "5..", "1.2.3", "-", "1,5", "1 5"}) EXPECT_FALSE(parseDecimalExactly(refused)) << refused;
}

TEST(FieldReader, WholeNumberFieldsRoundAndCheckTheRange) {
    FieldReader reader("2.5,3.5,3000000000", "w.txt");
    EXPECT_EQ(reader.readInteger("B"), 2);
    EXPECT_EQ(reader.readInteger("B"), 4);
    EXPECT_THROW(reader.readInteger("B"), UserError);
}

TEST(FieldReader, MissingFileIsReportedWithItsName) {
    try {
        FieldReader::fromFile("/nonexistent/treatment.txt");
        FAIL();
    } catch (const UserError& error) {
        EXPECT_NE(std::string(error.what()).find("/nonexistent/treatment.txt"), std::string::npos);
    }
}

TEST(LeadingNumber, ReadsTheLeadingNumericPart) {
    const std::pair<const char*, double> cases[] = {
        {"2", 2},      {" 3", 3},     {"2.5", 2.5},   {"-1", -1},   {"+4", 4},  {"3 trees", 3},
        {"abc", 0},    {"", 0},       {".5", 0.5},    {"1e2", 100}, {"2e", 2},  {"-.25x", -0.25},
        {"-", 0},      {"1.5.3", 1.5}, {"6", 6},      {"-2", -2},   {"1E-3", 0.001},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(leadingNumber(text), expected) << text;
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {225000.5, 225000},
        {8775000.5, 8775000}, {25.5, 26}, {975.5, 976}, {0.6, 1}, {4.4, 4}, {2.49999, 2},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(roundHalfEven(value), expected) << value;
}

TEST(Rounding, IntegerConversionsReportValuesOutOfRange) {
    EXPECT_EQ(toInt16(32767.4), std::optional<std::int16_t>(32767));
    EXPECT_EQ(toInt16(-32768.5), std::optional<std::int16_t>(-32768));
    EXPECT_EQ(toInt16(32767.5), std::nullopt);
    EXPECT_EQ(toInt16(std::nan("")), std::nullopt);
    EXPECT_EQ(toInt32(2147483647.0), std::optional<std::int32_t>(2147483647));
    EXPECT_EQ(toInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(toInt32(-2147483648.5), std::optional<std::int32_t>(-2147483648));
    EXPECT_EQ(toInt32(9e15), std::nullopt);
}

}  // namespace
}  // namespace cpt
