#include "xlsx/workbook_reading.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <map>
#include <optional>
#include <utility>

#include "core/common/field_reader.h"
#include "core/common/user_error.h"
#include "core/input/table_treatments.h"

namespace cpt::xlsx {
namespace {

// Rows and columns beyond these make no worksheet.
constexpr std::int64_t SheetRows = 1'048'576;
constexpr std::int64_t SheetColumns = 16'384;

[[noreturn]] void refuse(const std::string& fileName, const std::string& problem) {
    throw UserError("The file \"" + fileName + "\" cannot be used: " + problem);
}

struct Sheet {
    std::string name;
    std::string relationship;
};

class WorkbookHandler : public XmlHandler {
public:
    std::vector<Sheet> sheets;
    void start(std::string_view name, const char** attributes) override {
        if (name == "sheet") sheets.push_back({std::string(attribute(attributes, "name")),
                                               std::string(attribute(attributes, "id"))});
    }
    void end(std::string_view) override {}
    void text(std::string_view) override {}
};

class RelationshipsHandler : public XmlHandler {
public:
    std::map<std::string, std::string, std::less<>> targets;
    void start(std::string_view name, const char** attributes) override {
        if (name == "Relationship") {
            targets.emplace(attribute(attributes, "Id"), attribute(attributes, "Target"));
        }
    }
    void end(std::string_view) override {}
    void text(std::string_view) override {}
};

// Each <si>: its <t> texts joined (the runs of rich text), phonetic runs left out.
class SharedStringsHandler : public XmlHandler {
public:
    std::vector<std::string> strings;
    void start(std::string_view name, const char**) override {
        if (name == "si") {
            strings.emplace_back();
            inItem_ = true;
        } else if (name == "rPh") {
            ++phonetic_;
        } else if (name == "t") {
            inText_ = inItem_ && phonetic_ == 0;
        }
    }
    void end(std::string_view name) override {
        if (name == "si") inItem_ = false;
        if (name == "rPh") --phonetic_;
        if (name == "t") inText_ = false;
    }
    void text(std::string_view text) override {
        if (inText_) strings.back().append(text);
    }

private:
    bool inItem_ = false;
    bool inText_ = false;
    int phonetic_ = 0;
};

// "C12" -> column 3, row 12; nothing when it is no cell reference.
std::optional<std::pair<std::int32_t, std::int64_t>> cellReference(std::string_view reference) {
    std::size_t i = 0;
    std::int64_t column = 0;
    while (i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z' && column <= SheetColumns) {
        column = column * 26 + (reference[i] - 'A' + 1);
        ++i;
    }
    std::int64_t row = 0;
    const auto [end, error] = std::from_chars(reference.data() + i, reference.data() + reference.size(), row);
    if (i == 0 || column > SheetColumns || error != std::errc() || end != reference.data() + reference.size() ||
        row < 1 || row > SheetRows) {
        return std::nullopt;
    }
    return std::make_pair(static_cast<std::int32_t>(column), row);
}

// Rows of the worksheet go to the table as they close, so memory holds one
// row's cells (and the values kept), never the sheet.
class SheetHandler : public XmlHandler {
public:
    SheetHandler(TableRowSink& table, const std::vector<std::string>& shared, const std::string& fileName,
                 const std::string& sheet)
        : table_(table), shared_(shared), fileName_(fileName), sheet_(sheet) {}

    void start(std::string_view name, const char** attributes) override {
        if (name == "row") {
            const std::string_view number = attribute(attributes, "r");
            std::int64_t row = 0;
            const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), row);
            row_ = error == std::errc() && end == number.data() + number.size() && row > row_ ? row : row_ + 1;
            if (row_ > SheetRows) {
                refuse(fileName_, "sheet \"" + sheet_ + "\" has a row numbered " + std::to_string(row_) +
                                      ", beyond the last row of a worksheet; the workbook is damaged.");
            }
            used_ = 0;
            column_ = 0;
            inRow_ = true;
        } else if (name == "c" && inRow_) {
            const std::string_view reference = attribute(attributes, "r");
            const auto place = cellReference(reference);
            if (!reference.empty() && (!place || place->second != row_)) {
                refuse(fileName_, "sheet \"" + sheet_ + "\" has a cell named \"" + quotedExcerpt(reference) +
                                      "\" in row " + std::to_string(row_) + "; the workbook is damaged.");
            }
            column_ = place ? place->first : column_ + 1;
            if (column_ > SheetColumns) {
                refuse(fileName_, "sheet \"" + sheet_ + "\" has more than " + std::to_string(SheetColumns) +
                                      " cells in row " + std::to_string(row_) + "; the workbook is damaged.");
            }
            type_ = attribute(attributes, "t");
            value_.clear();
            inCell_ = true;
        } else if (inCell_ && (name == "v" || name == "t")) {
            inValue_ = true;
        }
    }

    void end(std::string_view name) override {
        if (name == "v" || name == "t") {
            inValue_ = false;
        } else if (name == "c" && inCell_) {
            inCell_ = false;
            keepCell();
        } else if (name == "row" && inRow_) {
            inRow_ = false;
            finishRow();
        }
    }

    void text(std::string_view text) override {
        if (inValue_) {
            if (value_.size() + text.size() > FieldReader::MaxFieldLength) {
                refuse(fileName_, "cell " + columnLetters(column_) + std::to_string(row_) + " of sheet \"" + sheet_ +
                                      "\" holds more than 1 MB.");
            }
            value_.append(text);
        }
    }

private:
    void keepCell() {
        if (used_ == texts_.size()) texts_.emplace_back();
        auto& [column, text] = texts_[used_];  // its room kept from earlier rows
        column = column_;
        if (type_ == "s") {
            std::size_t index = 0;
            const auto [end, error] = std::from_chars(value_.data(), value_.data() + value_.size(), index);
            if (error != std::errc() || end != value_.data() + value_.size() || index >= shared_.size()) {
                refuse(fileName_, "cell " + columnLetters(column_) + std::to_string(row_) + " of sheet \"" + sheet_ +
                                      "\" names the shared text \"" + quotedExcerpt(value_) +
                                      "\", which the workbook lacks; the workbook is damaged.");
            }
            text = shared_[index];
        } else if (type_ == "b") {
            text = value_ == "1" ? "TRUE" : "FALSE";
        } else {
            text = value_;  // a number as stored, an inline or formula text, an error such as #DIV/0!
        }
        ++used_;
    }

    void finishRow() {
        const auto begin = texts_.begin();
        const auto end = begin + static_cast<std::ptrdiff_t>(used_);
        if (!std::is_sorted(begin, end, [](const auto& a, const auto& b) { return a.first < b.first; })) {
            std::stable_sort(begin, end, [](const auto& a, const auto& b) { return a.first < b.first; });
        }
        cells_.clear();
        for (auto it = begin; it != end; ++it) cells_.push_back(TableCell{it->first, it->second});
        table_.addRow(row_, cells_);
    }

    TableRowSink& table_;
    const std::vector<std::string>& shared_;
    const std::string& fileName_;
    const std::string& sheet_;
    std::int64_t row_ = 0;
    std::int32_t column_ = 0;
    std::string type_;
    std::string value_;
    bool inRow_ = false, inCell_ = false, inValue_ = false;
    std::vector<std::pair<std::int32_t, std::string>> texts_;  // kept between rows, for their room
    std::size_t used_ = 0;
    std::vector<TableCell> cells_;
};

std::string partPath(std::string_view target) {
    if (target.starts_with('/')) return std::string(target.substr(1));
    return "xl/" + std::string(target);
}

}  // namespace

bool isWorkbookName(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".xlsx";
}

void refuseNoArchive(const std::string& fileName) {
    refuse(fileName, "it is not an .xlsx workbook (an Excel file saved as .xlsx): it is no zip archive.");
}

void refuseUnpackedPart(const std::string& fileName, const std::string& part, const std::string& reason) {
    refuse(fileName, "its part " + part + " cannot be unpacked (" + reason + "); the workbook is damaged.");
}

void readWorkbookRows(WorkbookParts& parts, const std::string& fileName, const std::optional<std::string>& sheetName,
                      const std::string& sheetWording, const SinkForSheet& sinkFor) {
    const std::string notWorkbook = "it is not an .xlsx workbook (an Excel file saved as .xlsx), ";
    WorkbookHandler workbook;
    if (!parts.parse("xl/workbook.xml", workbook)) {
        refuse(fileName, notWorkbook + "for it has no part xl/workbook.xml.");
    }
    if (workbook.sheets.empty()) refuse(fileName, "its workbook has no worksheet.");
    RelationshipsHandler relationships;
    parts.parse("xl/_rels/workbook.xml.rels", relationships);

    const Sheet* sheet = &workbook.sheets.front();
    if (sheetName) {
        const auto found = std::find_if(workbook.sheets.begin(), workbook.sheets.end(),
                                        [&](const Sheet& s) { return s.name == *sheetName; });
        if (found == workbook.sheets.end()) {
            std::string names;
            for (const Sheet& s : workbook.sheets) names += (names.empty() ? "\"" : ", \"") + s.name + "\"";
            refuse(fileName, "it has no sheet \"" + quotedExcerpt(*sheetName) + "\" (its sheets: " + names +
                                 "); name one with " + sheetWording + " NAME.");
        }
        sheet = &*found;
    }
    const auto target = relationships.targets.find(sheet->relationship);
    if (target == relationships.targets.end()) {
        refuse(fileName, "its workbook does not say where sheet \"" + sheet->name + "\" is; the workbook is damaged.");
    }

    SharedStringsHandler shared;
    parts.parse("xl/sharedStrings.xml", shared);

    SheetHandler rows(sinkFor(sheet->name), shared.strings, fileName, sheet->name);
    if (!parts.parse(partPath(target->second), rows)) {
        refuse(fileName, "its sheet \"" + sheet->name + "\" is missing from the archive; the workbook is damaged.");
    }
}

std::vector<Treatment> readWorkbook(WorkbookParts& parts, const std::string& fileName, const ReadOptions& options) {
    std::optional<TableTreatments> table;
    readWorkbookRows(parts, fileName, options.sheet, options.wording.sheet, [&](const std::string& sheet) -> TableRowSink& {
        TableOrigin origin;
        origin.displayName = fileName;
        origin.defaultCode = std::filesystem::path(fileName).stem().string();
        origin.sheet = sheet;
        return table.emplace(std::move(origin), options);
    });
    return table->finish();
}

}  // namespace cpt::xlsx
