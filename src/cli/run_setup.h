#pragma once
// What both commands do before and after the core runs: the clock they take,
// the context they build, and how they print what they wrote.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/answer_sheet_dialogs.h"
#include "core/common/clock.h"
#include "core/state/app_context.h"

namespace cpt::cli {

// The real clock, or one standing still at --fixed-time. Nothing when the
// text is not a date and time (the message is printed).
std::unique_ptr<Clock> makeClock(const std::string& fixedTime);

// Paths as the user gave them, made absolute against the folder the command
// started in, so that -C does not change what they mean.
std::string absolute(const std::string& path);

// Prints the written files one a line, or the JSON document.
void printResult(const std::vector<std::filesystem::path>& written, const nlohmann::json* document);

}  // namespace cpt::cli
