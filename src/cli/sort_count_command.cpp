#include <iostream>
#include <map>
#include <memory>
#include <string>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "core/sorting/sort_count_analysis.h"

namespace cpt::cli {

Subcommand addSortCountCommand(CLI::App& app) {
    struct Answers {
        batch::SortCountOptions options;
        std::string decimals = "-1";
        std::string fixedTime;
    };
    auto answers = std::make_shared<Answers>();
    batch::SortCountOptions& sortCount = answers->options;
    CLI::App* command = app.add_subcommand("sort-count", "Sort and count the values of one data file.");
    command->add_option("file", sortCount.file, "Data file")->required()->check(CLI::ExistingFile);
    const std::map<std::string, SortCountKind> kinds{{"general", SortCountKind::General},
                                                     {"boot", SortCountKind::Bootstrap},
                                                     {"results", SortCountKind::PairedTestResults}};
    command->add_option("--kind", sortCount.kind, "general, boot or results (paired-test results)")
        ->transform(CLI::CheckedTransformer(kinds))
        ->default_str("boot");
    command->add_flag("--serial-numbers", sortCount.serialNumbers, "Each value is preceded by its serial number");
    command->add_option("--decimals", answers->decimals, "Decimals kept (0 to 5), -1 keeps all")
        ->capture_default_str();
    command->add_flag("--json", sortCount.json, "Print the results as one JSON document");
    command->add_option("--fixed-time", answers->fixedTime, "Take this moment (YYYY-MM-DD HH:MM:SS) as the time");

    return {command, [answers] {
                const std::optional<double> decimals = decimalLimitOf(answers->decimals);
                if (!decimals) {
                    std::cerr << "--decimals takes a number from -1 to 5, not \"" << answers->decimals << "\".\n";
                    return batch::ExitUsage;
                }
                answers->options.decimals = *decimals;
                // No time is printed, but a moment that is not one is still a wrong command line.
                if (!takeFixedTime(answers->fixedTime, answers->options.fixedTime)) return batch::ExitUsage;
                return runSortCount(answers->options);
            }};
}

}  // namespace cpt::cli
