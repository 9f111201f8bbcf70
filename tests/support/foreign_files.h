#pragma once
// Files a user may give by mistake, none of them a treatment file: each as
// the first bytes such a file has, and the sentence a reader answers it with
// after `The file "NAME" `. `Formats` is how the full list of formats names
// itself.
#include <string>
#include <vector>

namespace cpt::testing {

struct ForeignFile {
    std::string name;
    std::string bytes;
    std::string refusal;
};

inline const std::string Formats = "a bootstrap result file, a text table (.csv, .tsv) or an .xlsx workbook";

// A zip archive's first entry, stored, as a zip writer puts it.
inline std::string zipEntry(const std::string& name, const std::string& data) {
    auto two = [](std::size_t n) { return std::string{static_cast<char>(n & 0xFF), static_cast<char>(n >> 8)}; };
    auto four = [&](std::size_t n) { return two(n & 0xFFFF) + two(n >> 16); };
    return "PK\x03\x04" + two(20) + two(0) + two(0) + four(0x5A210000) + four(0x1B2C3D4E) + four(data.size()) +
           four(data.size()) + two(name.size()) + two(0) + name + data;
}

inline std::vector<ForeignFile> foreignFiles() {
    const std::string takes = ": an input file is " + Formats + ".";
    return {
        {"r.ods",
         zipEntry("mimetype", "application/vnd.oasis.opendocument.spreadsheet") +
             zipEntry("content.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-content/>"),
         "is an OpenDocument spreadsheet: save it as .xlsx or .csv."},
        // Renamed, and named as a workbook: the bytes tell.
        {"r.csv", zipEntry("mimetype", "application/vnd.oasis.opendocument.spreadsheet"),
         "is an OpenDocument spreadsheet: save it as .xlsx or .csv."},
        {"r.xlsx", zipEntry("mimetype", "application/vnd.oasis.opendocument.spreadsheet"),
         "is an OpenDocument spreadsheet: save it as .xlsx or .csv."},
        {"r.pdf", "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n",
         "is a PDF document" + takes},
        {"r.png", std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0", 29),
         "is a PNG image" + takes},
        {"r.csv", std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0", 29),
         "is a PNG image" + takes},
        {"r.jpg", std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 20), "is a JPEG image" + takes},
        {"r.txt", std::string("GIF89a\x01\0\x01\0\x80\0\0\xFF\xFF\xFF\0\0\0!", 20), "is a GIF image" + takes},
        {"r.zip", zipEntry("r.csv", "Maize,Sorghum\n0.1,0.2\n"), "is a zip archive that is no .xlsx workbook" + takes},
        {"r.csv", zipEntry("[Content_Types].xml", "<Types/>") + zipEntry("xl/workbook.xml", "<workbook/>"),
         "is an .xlsx workbook by its contents: give its name the ending .xlsx."},
        {"r.xls", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0\0\0\0\0\0\0", 16),
         "is an Excel 97-2003 workbook (.xls) or another Office 97-2003 file: save it as .xlsx or .csv."},
        {"r.xlsx", "", "is empty."},
        {"r.txt", std::string("\xFF\xFE\0\0M\0\0\0a\0\0\0i\0\0\0z\0\0\0e\0\0\0,\0\0\0", 28),
         "is UTF-32 text: save it as UTF-8 or UTF-16."},
        {"r.csv", std::string("\0\0\xFE\xFF\0\0\0M\0\0\0,\0\0\0S", 16), "is UTF-32 text: save it as UTF-8 or UTF-16."},
        {"r.csv", std::string("M\0\0\0a\0\0\0,\0\0\0S\0\0\0\n\0\0\0", 20),
         "is UTF-32 text: save it as UTF-8 or UTF-16."},
        {"r.csv", std::string("M\0a\0,\0S\0\n\0", 10),
         "is UTF-16 text without its byte-order mark: save it as UTF-8, or as UTF-16 with the mark."},
        {"r.txt", std::string(4096, '\0'), "is a binary file of NUL bytes, no text" + takes},
        {"r.csv", std::string("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0", 20),
         "is a binary file, no text" + takes},
    };
}

}  // namespace cpt::testing
