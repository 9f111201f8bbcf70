#pragma once
// What every binding function shares: the request's fields, the page's words
// for its controls, and the result every run hands back.
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <emscripten/val.h>

#include "batch/batch_options.h"
#include "batch/batch_outcome.h"
#include "core/common/date_time.h"

namespace cpt::web {

std::string textOr(const emscripten::val& request, const char* key, const std::string& otherwise);
bool flag(const emscripten::val& request, const char* key);

// The page's controls, as its complaints name them: the runs' and the
// readers' (never a command-line option).
batch::AnswerWording pageWording();
ReadWording pageReadWording();
// The "Fixed time stamp" field as a moment (none when empty); false, with
// the complaint, when it holds no date and time.
bool takePageFixedTime(const emscripten::val& request, std::optional<DateTime>& moment, std::string& complaint);

// The page's user knows the files by name, not by their in-memory folders.
std::string withoutFolders(std::string text, const std::vector<std::string>& folders);

// Its status, its complaints, cpt's JSON output and the written files by name.
emscripten::val commonResult(const batch::BatchOutcome& outcome, const std::ostringstream& messages,
                             const std::vector<std::string>& folders);

// A refusal before any run: the status and the complaint, nothing written.
emscripten::val refusedResult(int status, const std::string& message);

}  // namespace cpt::web
