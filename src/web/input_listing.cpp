// What the page lists of a dropped file before a run: each treatment it
// holds (a table several, of every parameter), with what the file lacks
// left open so that the page asks for it; or the reader's complaint. A
// workbook lists its sheets, and a table that takes its parameter code from
// its file name says so, for the page to offer them.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string_view>

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "batch/input_files.h"
#include "core/common/user_error.h"
#include "web/binding_common.h"
#include "web/memfs_files.h"
#include "web/page_inputs.h"
#include "xlsx/workbook_reading.h"
#include "xlsx/xlsx_treatments.h"

namespace cpt::web {
namespace {

using emscripten::val;

const std::filesystem::path ListingFolder = "/runs/listing";

val treatmentEntry(const Treatment& treatment) {
    val entry = val::object();
    entry.set("name", treatment.name);
    entry.set("code", treatment.code);
    entry.set("B", static_cast<double>(treatment.values.size()));
    entry.set("sampleSize", treatment.sampleSizeMissing ? val::null() : val(treatment.sampleSize));
    entry.set("estimate", treatment.estimateMissing ? val::null() : val(treatment.estimate));
    double sum = 0;
    for (double value : treatment.values) sum += value;
    entry.set("mean", treatment.values.empty() ? val::null() : val(sum / static_cast<double>(treatment.values.size())));
    return entry;
}

class SheetNames : public xlsx::XmlHandler {
public:
    val names = val::array();
    void start(std::string_view name, const char** attributes) override {
        if (name == "sheet") names.call<void>("push", std::string(xlsx::attribute(attributes, "name")));
    }
    void end(std::string_view) override {}
    void text(std::string_view) override {}
};

// The workbook's sheets in its order; none when it cannot be unpacked (the
// read says why).
val sheetNames(const std::filesystem::path& path) {
    SheetNames sheets;
    try {
        xlsx::withXlsxParts(path, [&](xlsx::WorkbookParts& parts, const std::string&) {
            parts.parse("xl/workbook.xml", sheets);
        });
    } catch (const UserError&) {
        return val::array();
    }
    return sheets.names;
}

// Whether the file's one parameter code is the page's to give: a code
// asked for comes back on every treatment only from a table without a
// parameter column (a described file keeps its own, a long table refuses it).
bool takesParameterCode(const std::filesystem::path& path, ReadOptions options, const batch::TreatmentReader& reader) {
    const std::string probe = "\x1f";
    options.parameter = probe;
    try {
        const std::vector<Treatment> treatments = reader(path, options);
        return !treatments.empty() && std::all_of(treatments.begin(), treatments.end(),
                                                  [&](const Treatment& t) { return t.code == probe; });
    } catch (const UserError&) {
        return false;
    }
}

}  // namespace

// file: {name, bytes} as runCartesian takes it.
val listInput(val file) {
    makeEmptyFolder(ListingFolder);
    val files = val::array();
    files.call<void>("push", file);
    const std::shared_ptr<PageInputs> inputs = writePageInputs(files, ListingFolder);
    val result = val::object();
    try {
        ReadOptions options;
        options.everyParameter = true;
        options.leaveMissingOpen = true;
        const std::string& path = inputs->paths.front();
        const batch::TreatmentReader reader = pageReader(inputs);
        const std::vector<Treatment> read = batch::readInputFile(path, options, reader);
        val treatments = val::array();
        for (const Treatment& treatment : read) treatments.call<void>("push", treatmentEntry(treatment));
        result.set("treatments", treatments);
        // A table without a parameter column is named by its file (the
        // reader's default code): only then is the file read again to know.
        const std::string stem = std::filesystem::path(path).stem().string();
        const bool namedByFile = !read.empty() && std::all_of(read.begin(), read.end(), [&](const Treatment& t) {
            return t.code == stem;
        });
        result.set("ownParameter", namedByFile && takesParameterCode(path, options, reader));
    } catch (const UserError& error) {
        result.set("error", withoutFolders(error.what(), inputs->folders));
    }
    if (xlsx::isWorkbookName(inputs->paths.front())) result.set("sheets", sheetNames(inputs->paths.front()));
    return result;
}

}  // namespace cpt::web

EMSCRIPTEN_BINDINGS(cpt_web_listing) {
    emscripten::function("listInput", &cpt::web::listInput);
}
