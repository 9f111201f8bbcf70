#pragma once
// cpt's command line: each command adds its options to the program's and
// gives what runs it once they are parsed. Every answer is turned into its
// type here, once; nothing below takes an option as text.
#include <CLI/CLI.hpp>

#include <functional>
#include <optional>
#include <string>

#include "core/common/date_time.h"

namespace cpt::cli {

struct Subcommand {
    CLI::App* command = nullptr;
    // The exit status of the run.
    std::function<int()> run;
};

Subcommand addCartesianCommand(CLI::App& app);
Subcommand addStudyCommand(CLI::App& app);
Subcommand addSortCountCommand(CLI::App& app);
Subcommand addLifeTableCommand(CLI::App& app);  // cli/life_table_command.cpp

// --fixed-time as a moment; false (with the complaint on standard error)
// when the text is none.
bool takeFixedTime(const std::string& text, std::optional<DateTime>& moment);

}  // namespace cpt::cli
