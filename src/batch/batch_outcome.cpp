#include "batch/batch_outcome.h"

#include <ostream>
#include <sstream>

namespace cpt::batch {
namespace {

constexpr std::string_view ClassesKey = "\n  \"classes\": []";

std::string dumped(const nlohmann::json& value) {
    return value.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

// The rows in the form dump() gives an array of {"count", "value"} objects
// one level down.
void writeClasses(std::ostream& out, const std::vector<DocumentClass>& classes) {
    out << "\n  \"classes\": [";
    const char* separator = "\n";
    for (const DocumentClass& row : classes) {
        out << separator << "    {\n      \"count\": " << nlohmann::json(row.count).dump()
            << ",\n      \"value\": " << nlohmann::json(row.value).dump() << "\n    }";
        separator = ",\n";
    }
    out << "\n  ]";
}

}  // namespace

void writeDocument(std::ostream& out, const BatchOutcome& outcome) {
    if (outcome.classes.empty()) {
        out << dumped(outcome.document) << '\n';
        return;
    }
    // Everything else is small: dumped whole around an empty "classes", which
    // is then written row by row.
    nlohmann::json document = outcome.document;
    document["classes"] = nlohmann::json::array();
    const std::string text = dumped(document);
    const std::size_t at = text.find(ClassesKey);
    out << std::string_view(text).substr(0, at);
    writeClasses(out, outcome.classes);
    out << std::string_view(text).substr(at + ClassesKey.size()) << '\n';
}

std::string documentText(const BatchOutcome& outcome) {
    std::ostringstream text;
    writeDocument(text, outcome);
    return text.str();
}

void discardWrittenFiles(BatchOutcome& outcome) noexcept {
    for (const std::filesystem::path& path : outcome.written) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    outcome.written.clear();
    outcome.status = ExitFailure;
}

}  // namespace cpt::batch
