// Every form of input file gives the treatments its described files give:
// the same names, codes, sample sizes, estimates, values bit for bit and
// ordering means.
#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/common/user_error.h"
#include "support/test_files.h"
#include "xlsx/read_treatments.h"

namespace cpt {
namespace {

struct Reference {
    std::string name;
    std::int32_t n;
    std::string estimate;
    std::vector<std::string> values;  // as written, at most 15 digits (an .xlsx keeps 16)
};

const std::vector<Reference> References = {
    {"Ma\xC3\xAFs, early", 20, "0.2134", {"0.151200", "1.5E-3", "-0.000123456789012345", "0.1", "0.30000000000001"}},
    {"Sorghum", 22, "0.1875", {"0.2", "0.21", "0.222", "0.2345", "7", "0.19999"}},
};

std::string decimal(const std::string& value, bool comma) {
    std::string text = value;
    if (comma) std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::string described(const Reference& r, char separator = ',') {
    const bool comma = separator == ';';
    const std::string s(1, separator);
    std::string text = "\"" + r.name + "\"" + s + "\"Sample size\"" + s + std::to_string(r.n) + s +
                       "\"Bootstrap number\"" + s + std::to_string(r.values.size()) + s + "\"r\"" + s +
                       std::to_string(r.n) + s + decimal(r.estimate, comma) + "\r\n";
    for (const std::string& v : r.values) text += decimal(v, comma) + "\r\n";
    return text;
}

// A wide table: header of names, one column per treatment (the shorter ones
// end early), cells quoted when asked.
std::string wide(char separator, bool decimalComma, bool quoteAll, bool rowNames) {
    const std::string s(1, separator);
    auto cell = [&](const std::string& text) { return quoteAll ? "\"" + text + "\"" : text; };
    std::string text = rowNames ? "\"\"" + s : "";
    for (std::size_t t = 0; t < References.size(); ++t) {
        const std::string& name = References[t].name;
        text += (t ? s : "") + (name.find(separator) != std::string::npos ? "\"" + name + "\"" : cell(name));
    }
    text += "\n";
    for (std::size_t row = 0; row < 6; ++row) {
        if (rowNames) text += "\"" + std::to_string(row + 1) + "\"" + s;
        for (std::size_t t = 0; t < References.size(); ++t) {
            const auto& values = References[t].values;
            text += (t ? s : "") + (row < values.size() ? cell(decimal(values[row], decimalComma)) : "");
        }
        text += "\n";
    }
    return text;
}

// A long table, rows of the treatments interleaved, with the optional columns
// asked for (and a second parameter's rows when there is a parameter column).
std::string longTable(bool withParameter, bool withSizes) {
    std::string text = withParameter ? "Value,Parameter,TREATMENT" : "value,treatment";
    if (withSizes) text += ",n,Estimate";
    text += "\n";
    for (std::size_t row = 0; row < 6; ++row) {
        for (const Reference& r : References) {
            if (row >= r.values.size()) continue;
            text += r.values[row] + (withParameter ? ",r" : "") + ",\"" + r.name + "\"";
            if (withSizes) text += "," + std::to_string(r.n) + "," + r.estimate;
            text += "\n";
            if (withParameter) text += "9,R0,\"" + r.name + "\"" + (withSizes ? ",1,2" : "") + "\n";
        }
    }
    return text;
}

std::string utf16(const std::string& ascii, const std::string& utf8Name, const std::u16string& name, bool little) {
    // The one non-ASCII name is given in UTF-16 by hand; the rest is ASCII.
    std::u16string units;
    for (std::size_t i = 0; i < ascii.size();) {
        if (ascii.compare(i, utf8Name.size(), utf8Name) == 0) {
            units += name;
            i += utf8Name.size();
        } else {
            units += static_cast<char16_t>(static_cast<unsigned char>(ascii[i++]));
        }
    }
    std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t u : units) {
        const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        bytes += little ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

using SheetWriter = std::function<void(lxw_workbook*)>;

// Row by row, as a workbook of constant memory must be written.
void writeWideSheet(lxw_worksheet* sheet) {
    for (std::size_t t = 0; t < References.size(); ++t) {
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(t), References[t].name.c_str(), nullptr);
    }
    for (std::size_t row = 0; row < 6; ++row) {
        for (std::size_t t = 0; t < References.size(); ++t) {
            if (row >= References[t].values.size()) continue;
            worksheet_write_number(sheet, static_cast<lxw_row_t>(row + 1), static_cast<lxw_col_t>(t),
                                   std::stod(References[t].values[row]), nullptr);
        }
    }
}

void writeLongSheet(lxw_worksheet* sheet) {
    const char* header[] = {"treatment", "n", "estimate", "value"};
    for (lxw_col_t c = 0; c < 4; ++c) worksheet_write_string(sheet, 0, c, header[c], nullptr);
    lxw_row_t row = 1;
    for (const Reference& r : References) {
        for (const std::string& v : r.values) {
            worksheet_write_string(sheet, row, 0, r.name.c_str(), nullptr);
            worksheet_write_number(sheet, row, 1, r.n, nullptr);
            worksheet_write_number(sheet, row, 2, std::stod(r.estimate), nullptr);
            // Some values as text cells: a number typed as text reads the same.
            if (row % 3 == 0) {
                worksheet_write_string(sheet, row, 3, v.c_str(), nullptr);
            } else {
                worksheet_write_number(sheet, row, 3, std::stod(v), nullptr);
            }
            ++row;
        }
    }
}

std::filesystem::path writeWorkbook(const std::filesystem::path& path, const SheetWriter& write) {
    lxw_workbook* workbook = workbook_new(path.c_str());
    write(workbook);
    EXPECT_EQ(workbook_close(workbook), LXW_NO_ERROR);
    return path;
}

struct FormCase {
    std::string label;
    // Writes the case's files into the folder and gives their paths.
    std::function<std::vector<std::filesystem::path>(const testing::TempFolder&)> files;
    ReadOptions options;
};

ReadOptions sizesGiven() {
    ReadOptions options;
    for (const Reference& r : References) {
        options.sampleSizes[r.name] = r.n;
        options.estimates[r.name] = std::stod(r.estimate);
    }
    return options;
}

std::vector<std::filesystem::path> one(const testing::TempFolder& folder, const std::string& name,
                                       const std::string& contents) {
    return {folder.write(name, contents)};
}

std::vector<std::filesystem::path> described(const testing::TempFolder& folder,
                                             const std::function<std::string(const Reference&)>& form) {
    std::vector<std::filesystem::path> paths;
    for (std::size_t t = 0; t < References.size(); ++t) {
        paths.push_back(folder.write("t" + std::to_string(t) + ".txt", form(References[t])));
    }
    return paths;
}

// From the paths, or from the files' contents in memory as the web page has them.
std::vector<Treatment> readAll(const std::vector<std::filesystem::path>& paths, const ReadOptions& options,
                               bool inMemory = false) {
    std::vector<Treatment> treatments;
    for (const auto& path : paths) {
        std::vector<Treatment> read = inMemory ? readTreatments(testing::readFile(path), path.string(), options)
                                               : readTreatments(path, options);
        for (Treatment& t : read) treatments.push_back(std::move(t));
    }
    return treatments;
}

void expectSameTreatments(const std::vector<Treatment>& got, const std::vector<Treatment>& expected) {
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t t = 0; t < expected.size(); ++t) {
        EXPECT_EQ(got[t].name, expected[t].name);
        EXPECT_EQ(got[t].code, expected[t].code);
        EXPECT_EQ(got[t].sampleSize, expected[t].sampleSize);
        EXPECT_EQ(got[t].estimate, expected[t].estimate);
        ASSERT_EQ(got[t].values.size(), expected[t].values.size());
        EXPECT_EQ(std::memcmp(got[t].values.data(), expected[t].values.data(),
                              expected[t].values.size() * sizeof(double)),
                  0);
        EXPECT_EQ(orderingMeanOf(got[t]), orderingMeanOf(expected[t]));
        EXPECT_EQ(got[t].transformation, expected[t].transformation);
    }
}

TEST(TreatmentForms, EveryFormGivesTheTreatmentsOfTheDescribedFiles) {
    testing::TempFolder referenceFolder;
    const std::vector<Treatment> expected =
        readAll(described(referenceFolder, [](const Reference& r) { return described(r); }), ReadOptions{});
    ASSERT_EQ(expected.size(), References.size());

    ReadOptions withParameter;
    withParameter.parameter = "r";
    ReadOptions sheetByName = sizesGiven();
    sheetByName.sheet = "Data";
    const std::u16string mais = u"Ma\u00EFs, early";
    const std::string maisUtf8 = References[0].name;

    const std::vector<FormCase> cases = {
        {"wide csv", [](auto& f) { return one(f, "r.csv", wide(',', false, false, false)); }, sizesGiven()},
        {"wide csv, every cell quoted", [](auto& f) { return one(f, "r.csv", wide(',', false, true, false)); },
         sizesGiven()},
        {"wide tsv, decimal comma", [](auto& f) { return one(f, "r.tsv", wide('\t', true, false, false)); },
         sizesGiven()},
        {"wide semicolon csv, decimal comma", [](auto& f) { return one(f, "r.csv", wide(';', true, true, false)); },
         sizesGiven()},
        {"wide text file found by its header", [](auto& f) { return one(f, "r.txt", wide(';', true, false, false)); },
         sizesGiven()},
        {"R write.csv with row names", [](auto& f) { return one(f, "r.csv", wide(',', false, true, true)); },
         sizesGiven()},
        {"wide csv with a UTF-8 mark and CR LF",
         [](auto& f) {
             std::string text = "\xEF\xBB\xBF" + wide(',', false, false, false);
             for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2) text.insert(at, "\r");
             return one(f, "r.csv", text);
         },
         sizesGiven()},
        {"wide csv with CR line ends",
         [](auto& f) {
             std::string text = wide(',', false, false, false);
             std::replace(text.begin(), text.end(), '\n', '\r');
             return one(f, "r.csv", text);
         },
         sizesGiven()},
        {"wide csv in UTF-16",
         [&](auto& f) { return one(f, "r.csv", utf16(wide(',', false, false, false), maisUtf8, mais, true)); },
         sizesGiven()},
        {"long, no optional columns", [](auto& f) { return one(f, "r.csv", longTable(false, false)); }, sizesGiven()},
        {"long with parameter, n and estimate", [](auto& f) { return one(f, "x.csv", longTable(true, true)); },
         withParameter},
        {"long with n and estimate, code from the name", [](auto& f) { return one(f, "r.csv", longTable(false, true)); },
         ReadOptions{}},
        {"xlsx wide",
         [](auto& f) {
             return std::vector{writeWorkbook(f.path() / "r.xlsx", [](lxw_workbook* book) {
                 writeWideSheet(workbook_add_worksheet(book, nullptr));
             })};
         },
         sizesGiven()},
        {"xlsx wide, inline strings",
         [](auto& f) {
             lxw_workbook_options constantMemory{};
             constantMemory.constant_memory = LXW_TRUE;  // writes its texts inline
             lxw_workbook* book = workbook_new_opt((f.path() / "r.xlsx").c_str(), &constantMemory);
             writeWideSheet(workbook_add_worksheet(book, nullptr));
             EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
             return std::vector{f.path() / "r.xlsx"};
         },
         sizesGiven()},
        {"xlsx wide, rich-text name",
         [](auto& f) {
             lxw_workbook* rich = workbook_new((f.path() / "r.xlsx").c_str());
             lxw_worksheet* sheet = workbook_add_worksheet(rich, nullptr);
             writeWideSheet(sheet);
             lxw_format* bold = workbook_add_format(rich);
             format_set_bold(bold);
             const std::string restText = References[0].name.substr(2);
             lxw_rich_string_tuple first = {bold, const_cast<char*>("Ma")};
             lxw_rich_string_tuple rest = {nullptr, const_cast<char*>(restText.c_str())};
             lxw_rich_string_tuple* runs[] = {&first, &rest, nullptr};
             worksheet_write_rich_string(sheet, 0, 0, runs, nullptr);
             EXPECT_EQ(workbook_close(rich), LXW_NO_ERROR);
             return std::vector{f.path() / "r.xlsx"};
         },
         sizesGiven()},
        {"xlsx long, sheet by name",
         [](auto& f) {
             return std::vector{writeWorkbook(f.path() / "r.xlsx", [](lxw_workbook* book) {
                 worksheet_write_string(workbook_add_worksheet(book, "Notes"), 0, 0, "not this one", nullptr);
                 writeLongSheet(workbook_add_worksheet(book, "Data"));
             })};
         },
         sheetByName},
        {"described, UTF-8 mark",
         [](auto& f) { return described(f, [](const Reference& r) { return "\xEF\xBB\xBF" + described(r); }); },
         ReadOptions{}},
        {"described, UTF-16 little endian",
         [&](auto& f) {
             return described(f, [&](const Reference& r) { return utf16(described(r), maisUtf8, mais, true); });
         },
         ReadOptions{}},
        {"described, UTF-16 big endian",
         [&](auto& f) {
             return described(f, [&](const Reference& r) { return utf16(described(r), maisUtf8, mais, false); });
         },
         ReadOptions{}},
        {"described, semicolons and decimal commas",
         [](auto& f) { return described(f, [](const Reference& r) { return described(r, ';'); }); }, ReadOptions{}},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.label);
        testing::TempFolder folder;
        const auto paths = c.files(folder);
        for (const bool inMemory : {false, true}) {
            SCOPED_TRACE(inMemory ? "in memory" : "from the file");
            try {
                expectSameTreatments(readAll(paths, c.options, inMemory), expected);
            } catch (const UserError& error) {
                ADD_FAILURE() << error.what();
            }
        }
    }
}

}  // namespace
}  // namespace cpt
