#include <string_view>

#include "core/common/number_format.h"
#include "core/study/study_labels.h"
#include "core/study/study_text_formats.h"

namespace cpt {
namespace {

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::string studyTableCsv(const StudyTable& table) {
    std::string text = "\xEF\xBB\xBF" "parameter,treatment,n,B,estimate,SE,letters,cell\r\n";
    for (const StudyTidyRow& row : table.tidyRows) {
        const StudyCell& cell = row.cell;
        text += csvField(plainLabel(row)) + "," + csvField(row.treatment) + "," + std::to_string(cell.sampleSize) + "," +
                std::to_string(cell.bootstrapNumber) + "," + textNumber(cell.estimate) + "," +
                textNumber(cell.standardError) + "," + csvField(cell.letters) + "," + csvField(cell.text) + "\r\n";
    }
    return text;
}

}  // namespace cpt
