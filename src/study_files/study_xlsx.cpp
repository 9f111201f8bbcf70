#include "study_files/study_xlsx.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/common/number_format.h"
#include "core/common/user_error.h"
#include "core/study/study_labels.h"
#include "study_files/local_time.h"

namespace cpt {
namespace {

constexpr const char* What = "spreadsheet of the study table";

[[noreturn]] void fail(const std::string& reason) {
    throw UserError("The " + std::string(What) + " could not be put together: " + reason + ".");
}

void check(lxw_error error) {
    if (error != LXW_NO_ERROR) fail(lxw_strerror(error));
}

// libxlsxwriter writes only to a named file: a private folder of the
// system's temporary place holds it until its bytes are read.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "cpt-study-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) fail("no temporary folder could be made");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

struct Formats {
    lxw_format* heading;
    lxw_format* headingLeft;
    lxw_format* left;
    lxw_format* center;
    lxw_format* lastLeft;
    lxw_format* lastCenter;
    lxw_format* superscript;
    lxw_format* note;
};

Formats makeFormats(lxw_workbook* workbook) {
    Formats f{};
    auto make = [&](lxw_format*& format, uint8_t align, uint8_t top, uint8_t bottom, bool bold) {
        format = workbook_add_format(workbook);
        format_set_align(format, align);
        if (top != LXW_BORDER_NONE) format_set_top(format, top);
        if (bottom != LXW_BORDER_NONE) format_set_bottom(format, bottom);
        if (bold) format_set_bold(format);
    };
    make(f.heading, LXW_ALIGN_CENTER, LXW_BORDER_MEDIUM, LXW_BORDER_THIN, true);
    make(f.headingLeft, LXW_ALIGN_LEFT, LXW_BORDER_MEDIUM, LXW_BORDER_THIN, true);
    make(f.left, LXW_ALIGN_LEFT, LXW_BORDER_NONE, LXW_BORDER_NONE, false);
    make(f.center, LXW_ALIGN_CENTER, LXW_BORDER_NONE, LXW_BORDER_NONE, false);
    make(f.lastLeft, LXW_ALIGN_LEFT, LXW_BORDER_NONE, LXW_BORDER_MEDIUM, false);
    make(f.lastCenter, LXW_ALIGN_CENTER, LXW_BORDER_NONE, LXW_BORDER_MEDIUM, false);
    f.superscript = workbook_add_format(workbook);
    format_set_font_script(f.superscript, LXW_FONT_SUPERSCRIPT);
    f.note = workbook_add_format(workbook);
    format_set_italic(f.note);
    format_set_text_wrap(f.note);
    format_set_align(f.note, LXW_ALIGN_VERTICAL_TOP);
    return f;
}

std::size_t characterCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void writeCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const StudyCell& cell, lxw_format* format,
               lxw_format* superscript) {
    if (cell.letters.empty()) {
        check(worksheet_write_string(sheet, row, column, cell.values.c_str(), format));
        return;
    }
    lxw_rich_string_tuple values{nullptr, const_cast<char*>(cell.values.c_str())};
    lxw_rich_string_tuple letters{superscript, const_cast<char*>(cell.letters.c_str())};
    lxw_rich_string_tuple* fragments[] = {&values, &letters, nullptr};
    check(worksheet_write_rich_string(sheet, row, column, fragments, format));
}

void writeStudySheet(lxw_worksheet* sheet, const StudyTable& table, const Formats& f) {
    check(worksheet_write_string(sheet, 0, 0, "Parameter", f.headingLeft));
    std::size_t parameterWidth = characterCount("Parameter");
    std::vector<std::size_t> widths;
    for (std::size_t c = 0; c < table.treatments.size(); ++c) {
        check(worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c + 1), table.treatments[c].c_str(), f.heading));
        widths.push_back(characterCount(table.treatments[c]));
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const StudyRow& row = table.rows[r];
        const bool last = r + 1 == table.rows.size();
        const auto sheetRow = static_cast<lxw_row_t>(r + 1);
        const std::string label = printedLabel(row);
        check(worksheet_write_string(sheet, sheetRow, 0, label.c_str(), last ? f.lastLeft : f.left));
        parameterWidth = std::max(parameterWidth, characterCount(label));
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const auto column = static_cast<lxw_col_t>(c + 1);
            lxw_format* format = last ? f.lastCenter : f.center;
            if (row.cells[c]) {
                writeCell(sheet, sheetRow, column, *row.cells[c], format, f.superscript);
                widths[c] = std::max(widths[c], characterCount(row.cells[c]->text));
            } else {
                check(worksheet_write_blank(sheet, sheetRow, column, format));
            }
        }
    }
    double tableWidth = static_cast<double>(parameterWidth) + 2;
    check(worksheet_set_column(sheet, 0, 0, tableWidth, nullptr));
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const auto column = static_cast<lxw_col_t>(c + 1);
        check(worksheet_set_column(sheet, column, column, static_cast<double>(widths[c]) + 1, nullptr));
        tableWidth += static_cast<double>(widths[c]) + 1;
    }
    // The note wraps within the table's width, in rows tall enough for its
    // lines (a spreadsheet does not size a merged row itself).
    const auto lastColumn = static_cast<lxw_col_t>(table.treatments.size());
    for (std::size_t i = 0; i < table.note.size(); ++i) {
        const auto sheetRow = static_cast<lxw_row_t>(table.rows.size() + 2 + i);
        const std::string& line = table.note[i];
        if (lastColumn > 0) {
            check(worksheet_merge_range(sheet, sheetRow, 0, sheetRow, lastColumn, line.c_str(), f.note));
        } else {
            check(worksheet_write_string(sheet, sheetRow, 0, line.c_str(), f.note));
        }
        const double lines = std::ceil(static_cast<double>(characterCount(line)) * 1.1 / tableWidth);
        check(worksheet_set_row(sheet, sheetRow, 15 * std::max(lines, 1.0), nullptr));
    }
    // Printed on one page across.
    worksheet_fit_to_pages(sheet, 1, 0);
}

// Excel has no infinity or NaN: such a value goes in as its text.
void writeValue(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, double value) {
    if (std::isfinite(value)) {
        check(worksheet_write_number(sheet, row, column, value, nullptr));
    } else {
        check(worksheet_write_string(sheet, row, column, textNumber(value).c_str(), nullptr));
    }
}

void writeDataSheet(lxw_worksheet* sheet, const StudyTable& table, lxw_format* heading) {
    const char* headings[] = {"parameter", "treatment", "n", "B", "estimate", "SE", "letters", "cell"};
    for (lxw_col_t c = 0; c < std::size(headings); ++c) check(worksheet_write_string(sheet, 0, c, headings[c], heading));
    for (std::size_t r = 0; r < table.tidyRows.size(); ++r) {
        const StudyTidyRow& tidy = table.tidyRows[r];
        const auto row = static_cast<lxw_row_t>(r + 1);
        check(worksheet_write_string(sheet, row, 0, plainLabel(tidy).c_str(), nullptr));
        check(worksheet_write_string(sheet, row, 1, tidy.treatment.c_str(), nullptr));
        check(worksheet_write_number(sheet, row, 2, tidy.cell.sampleSize, nullptr));
        check(worksheet_write_number(sheet, row, 3, tidy.cell.bootstrapNumber, nullptr));
        writeValue(sheet, row, 4, tidy.cell.estimate);
        writeValue(sheet, row, 5, tidy.cell.standardError);
        if (!tidy.cell.letters.empty()) check(worksheet_write_string(sheet, row, 6, tidy.cell.letters.c_str(), nullptr));
        check(worksheet_write_string(sheet, row, 7, tidy.cell.text.c_str(), nullptr));
    }
    worksheet_freeze_panes(sheet, 1, 0);
    check(worksheet_set_column(sheet, 0, 1, 14, nullptr));
    check(worksheet_set_column(sheet, 4, 5, 12, nullptr));
    check(worksheet_set_column(sheet, 7, 7, 22, nullptr));
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) fail("its temporary file could not be read");
    return bytes;
}

}  // namespace

std::string studyTableXlsx(const StudyTable& table, const DateTime& created) {
    ScratchFolder scratch;
    const std::string path = (scratch.path() / "study-table.xlsx").string();
    std::string tmpdir = scratch.path().string();
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    options.tmpdir = tmpdir.data();
    lxw_workbook* workbook = workbook_new_opt(path.c_str(), &options);
    if (workbook == nullptr) fail("the workbook could not be started");
    try {
        lxw_doc_properties properties{};
        properties.created = systemTimeOf(created);
        check(workbook_set_properties(workbook, &properties));
        const Formats formats = makeFormats(workbook);
        lxw_worksheet* study = workbook_add_worksheet(workbook, "Study table");
        lxw_worksheet* data = workbook_add_worksheet(workbook, "Data");
        if (study == nullptr || data == nullptr) fail("its sheets could not be added");
        writeStudySheet(study, table, formats);
        lxw_format* bold = workbook_add_format(workbook);
        format_set_bold(bold);
        writeDataSheet(data, table, bold);
    } catch (...) {
        workbook_close(workbook);
        throw;
    }
    check(workbook_close(workbook));
    return readBytes(path);
}

}  // namespace cpt
