#pragma once
// The treatments of a workbook from its XML parts, whatever unpacks and
// parses them: xl/workbook.xml names the sheets, xl/_rels/workbook.xml.rels
// says where each is, xl/sharedStrings.xml holds the texts the cells share,
// and the sheet's rows go to the table as they close (see
// core/input/table_treatments.h). No zip or XML library is needed here.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/treatment.h"
#include "core/input/read_options.h"
#include "core/input/table_treatments.h"
#include "xlsx/xml_handler.h"

namespace cpt::xlsx {

class WorkbookParts {
public:
    virtual ~WorkbookParts() = default;
    // Parses the part (such as "xl/workbook.xml") through the handler; false
    // when the workbook has no such part. Throws UserError when it is no XML,
    // and passes on what the handler throws.
    virtual bool parse(const std::string& part, XmlHandler& handler) = 0;
};

// A name ending in .xlsx (any letter case): the readers take it for a workbook.
bool isWorkbookName(const std::filesystem::path& path);

// The refusals of an archive, whoever unpacks it: a file that is no zip
// archive, and a part that cannot be unpacked (the unpacker's reason).
[[noreturn]] void refuseNoArchive(const std::string& fileName);
[[noreturn]] void refuseUnpackedPart(const std::string& fileName, const std::string& part, const std::string& reason);

// Told the chosen sheet's name, gives the sink its rows go to.
using SinkForSheet = std::function<TableRowSink&(const std::string& sheet)>;

// The rows of the first sheet, or of the one named (a missing one is refused
// naming sheetWording, the control that names it), into the sink made for it.
// Throws UserError naming the file (and the cell) when a part is missing or
// wrong, and passes on what the sink throws.
void readWorkbookRows(WorkbookParts& parts, const std::string& fileName, const std::optional<std::string>& sheet,
                      const std::string& sheetWording, const SinkForSheet& sinkFor);

// The first sheet, or the one the options name. Throws UserError naming the
// file (and the cell) when a part is missing or wrong, or a cell is bad.
std::vector<Treatment> readWorkbook(WorkbookParts& parts, const std::string& fileName, const ReadOptions& options);

}  // namespace cpt::xlsx
