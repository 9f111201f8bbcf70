// What the page lists of a dropped file before a run: each treatment it
// holds (a table several, of every parameter), with what the file lacks
// left open so that the page asks for it; or the reader's complaint.
#include <cmath>
#include <filesystem>

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "batch/input_files.h"
#include "core/common/user_error.h"
#include "web/binding_common.h"
#include "web/memfs_files.h"
#include "web/page_inputs.h"

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
        val treatments = val::array();
        for (const Treatment& treatment : batch::readInputFile(inputs->paths.front(), options, pageReader(inputs))) {
            treatments.call<void>("push", treatmentEntry(treatment));
        }
        result.set("treatments", treatments);
    } catch (const UserError& error) {
        result.set("error", withoutFolders(error.what(), inputs->folders));
    }
    return result;
}

}  // namespace cpt::web

EMSCRIPTEN_BINDINGS(cpt_web_listing) {
    emscripten::function("listInput", &cpt::web::listInput);
}
