// The page's Study section: the files grouped as cpt study groups them,
// shown before the run, then one Cartesian run and report per parameter and
// the study table in every format the page makes.
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "batch/study_batch.h"
#include "core/common/user_error.h"
#include "web/binding_common.h"
#include "web/memfs_files.h"
#include "web/page_inputs.h"
#include "web/study_page_files.h"

namespace cpt::web {
namespace {

using emscripten::val;

const std::filesystem::path StudyFolder = "/runs/study";

val groupsOf(const std::vector<StudyParameterGroup>& groups) {
    val result = val::array();
    for (const StudyParameterGroup& group : groups) {
        val treatments = val::array();
        for (const Treatment& treatment : group.treatments) {
            val entry = val::object();
            entry.set("name", treatment.name);
            entry.set("sampleSize", treatment.sampleSize);
            entry.set("B", static_cast<double>(treatment.values.size()));
            treatments.call<void>("push", entry);
        }
        val entry = val::object();
        entry.set("parameter", group.parameter);
        entry.set("treatments", treatments);
        result.call<void>("push", entry);
    }
    return result;
}

// The table as the page lays it out: the letters apart, to be raised.
val tableOf(const StudyTable& table) {
    val treatments = val::array();
    for (const std::string& name : table.treatments) treatments.call<void>("push", name);
    val rows = val::array();
    for (const StudyRow& row : table.rows) {
        val cells = val::array();
        for (const std::optional<StudyCell>& cell : row.cells) {
            if (!cell) {
                cells.call<void>("push", val::null());
                continue;
            }
            val entry = val::object();
            entry.set("values", cell->values);
            entry.set("letters", cell->letters);
            cells.call<void>("push", entry);
        }
        val entry = val::object();
        entry.set("parameter", row.parameter);
        entry.set("cells", cells);
        rows.call<void>("push", entry);
    }
    val note = val::array();
    for (const std::string& line : table.note) note.call<void>("push", line);
    val result = val::object();
    result.set("treatments", treatments);
    result.set("rows", rows);
    result.set("note", note);
    return result;
}

std::string progressText(const batch::StudyProgress& at) {
    return "Parameter " + at.name + " (" + std::to_string(at.parameter) + " of " + std::to_string(at.parameters) +
           "): pair " + std::to_string(at.pair) + " of " + std::to_string(at.pairs);
}

}  // namespace

// request: {files: [{name, bytes, parts...}]}. The parameters and their
// treatments, in the order the study runs them; or the complaint.
val groupStudy(val request) {
    makeEmptyFolder(StudyFolder);
    const std::shared_ptr<PageInputs> inputs = writePageInputs(request["files"], StudyFolder / "in");
    val result = val::object();
    try {
        result.set("groups", groupsOf(batch::readStudyGroups(inputs->paths, pageReader(inputs))));
    } catch (const UserError& error) {
        result.set("error", withoutFolders(error.what(), inputs->folders));
    }
    return result;
}

// request: {files, reversed, code, fixedTime, digits, onProgress(text)}
val runStudy(val request) {
    makeEmptyFolder(StudyFolder);
    const std::shared_ptr<PageInputs> inputs = writePageInputs(request["files"], StudyFolder / "in");
    batch::StudyBatchOptions options;
    options.files = inputs->paths;
    options.reader = pageReader(inputs);
    options.formats.clear();
    for (const StudyFormatEntry& format : StudyFormats) {
        if (pageWritesStudyFormat(format.format)) options.formats.push_back(format.format);
    }
    options.reversed = flag(request, "reversed");
    options.code = textOr(request, "code", "1");
    std::string wrongTime;
    if (!takePageFixedTime(request, options.fixedTime, wrongTime)) {
        val refused = refusedResult(batch::ExitUsage, wrongTime);
        refused.set("table", val::null());
        return refused;
    }
    const val digits = request["digits"];
    if (!digits.isUndefined() && !digits.isNull()) options.digits = digits.as<int>();
    // The page's core runs in one worker, without shared memory.
    options.threads = 1;
    options.folder = (StudyFolder / "out").string();
    options.json = true;
    options.wording = pageWording();
    std::filesystem::create_directories(options.folder);
    std::vector<std::string> folders = inputs->folders;
    folders.push_back(options.folder);

    batch::StudyProgressHandler progress;
    const val onProgress = request["onProgress"];
    if (onProgress.typeOf().as<std::string>() == "function") {
        progress = [onProgress](const batch::StudyProgress& at) { onProgress(progressText(at)); };
    }
    std::optional<StudyTable> shown;
    const batch::StudyTableWriter writer = [&shown](const StudyTable& table, const std::filesystem::path& folder,
                                                    std::span<const StudyFormat> formats, const DateTime& created) {
        std::vector<std::filesystem::path> written = writePageStudyFiles(table, folder, formats, created);
        shown = table;
        return written;
    };
    std::ostringstream messages;
    const batch::BatchOutcome outcome = batch::runStudyBatch(options, writer, messages, progress);
    val result = commonResult(outcome, messages, folders);
    result.set("table", outcome.status == batch::ExitSuccess && shown ? tableOf(*shown) : val::null());
    return result;
}

}  // namespace cpt::web

EMSCRIPTEN_BINDINGS(cpt_web_study) {
    emscripten::function("groupStudy", &cpt::web::groupStudy);
    emscripten::function("runStudy", &cpt::web::runStudy);
}
