// cpt: the batch front end. Each command hands its options to the core's
// analysis and writes what the desktop program writes for the same choices.
#include <CLI/CLI.hpp>

#include <vector>

#include "batch/batch_options.h"
#include "cli/command_line.h"
#include "core/common/file_size_signal.h"

int main(int argc, char** argv) {
    using namespace cpt::cli;
    cpt::ignoreFileSizeSignal();
    CLI::App app{"Cartesian paired test, study tables, life tables and sort-and-count, without questions."};
    app.set_version_flag("--version", "cpt " CPT_VERSION);
    app.require_subcommand(1);
    const std::vector<Subcommand> commands{addCartesianCommand(app), addStudyCommand(app), addSortCountCommand(app),
                                         addLifeTableCommand(app)};
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? cpt::batch::ExitSuccess : cpt::batch::ExitUsage;
    }
    for (const Subcommand& command : commands) {
        if (command.command->parsed()) return command.run();
    }
    return cpt::batch::ExitUsage;
}
