#include "web/binding_common.h"

#include <filesystem>

#include "web/memfs_files.h"

namespace cpt::web {

using emscripten::val;

std::string textOr(const val& request, const char* key, const std::string& otherwise) {
    const val value = request[key];
    return value.isUndefined() || value.isNull() ? otherwise : value.as<std::string>();
}

bool flag(const val& request, const char* key) {
    const val value = request[key];
    return !value.isUndefined() && !value.isNull() && value.as<bool>();
}

batch::AnswerWording pageWording() {
    batch::AnswerWording wording;
    wording.fixedTime = "\"Fixed time stamp\"";
    wording.withoutDifferences = "Untick \"Difference files\" to run without them.";
    wording.anotherCode =
        "\nEnter another \"Code for the report's file name\" (a file name cannot hold every character).";
    return wording;
}

// The core's sentences go on with the answer's form (" CODE", " Maize=N"):
// each phrase ends where that form reads on.
ReadWording pageReadWording() {
    ReadWording wording;
    wording.parameter = "the menu \"Parameter of the long tables\", by its";
    wording.sheet = "the file's menu \"Sheet\", by its";
    // The Cartesian section asks for what a table lacks before its run; the
    // Study section has no such fields, so its tables give them.
    wording.sampleSize = "a column \"n\" in the table, as in";
    wording.estimate = "a column \"estimate\" in the table, as in";
    return wording;
}

bool takePageFixedTime(const val& request, std::optional<DateTime>& moment, std::string& complaint) {
    const std::string text = textOr(request, "fixedTime", "");
    if (text.empty()) return true;
    moment = parseDateTime(text);
    if (!moment) complaint = dateTimeComplaint(pageWording().fixedTime, text);
    return moment.has_value();
}

std::string withoutFolders(std::string text, const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        const std::string prefix = folder + "/";
        for (std::size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at)) {
            text.erase(at, prefix.size());
        }
    }
    return text;
}

val commonResult(const batch::BatchOutcome& outcome, const std::ostringstream& messages,
                 const std::vector<std::string>& folders) {
    val result = val::object();
    result.set("status", outcome.status);
    result.set("messages", withoutFolders(messages.str(), folders));
    result.set("json", outcome.status == batch::ExitSuccess ? batch::documentText(outcome) : std::string());
    val files = val::array();
    for (const std::filesystem::path& path : outcome.written) {
        val file = val::object();
        file.set("name", path.filename().string());
        file.set("bytes", readBytes(path));
        files.call<void>("push", file);
    }
    result.set("files", files);
    return result;
}

val refusedResult(int status, const std::string& message) {
    val result = val::object();
    result.set("status", status);
    result.set("messages", message + "\n");
    result.set("json", std::string());
    result.set("files", val::array());
    return result;
}

}  // namespace cpt::web
