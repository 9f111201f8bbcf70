#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/read_options_text.h"

namespace cpt::cli {

bool takeFixedTime(const std::string& text, std::optional<DateTime>& moment) {
    if (text.empty()) return true;
    moment = parseDateTime(text);
    if (!moment) std::cerr << dateTimeComplaint("--fixed-time", text) << '\n';
    return moment.has_value();
}

Subcommand addCartesianCommand(CLI::App& app) {
    struct Answers {
        batch::CartesianOptions options;
        std::string parameter, sheet, fixedTime;
        std::vector<std::string> sampleSizes, estimates;
    };
    auto answers = std::make_shared<Answers>();
    batch::CartesianOptions& cartesian = answers->options;
    CLI::App* command = app.add_subcommand(
        "cartesian", "Cartesian paired test of 2 to 26 treatments, from files or tables given in entry order.");
    command->add_option("files", cartesian.files,
                        "Treatment bootstrap result files, or tables (.csv, .tsv, .xlsx) of several")
        ->required()
        ->expected(1, -1)
        ->check(CLI::ExistingFile);
    command->add_option("--parameter", answers->parameter,
                        "Parameter code of a table (of the one to take from a table of several)");
    command->add_option("--sheet", answers->sheet, "Worksheet of an .xlsx table (default: the first)");
    command->add_option("--sample-size", answers->sampleSizes,
                        "NAME=N: sample size of a table's treatment; N alone: of every treatment (repeatable)")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    command->add_option("--estimate", answers->estimates, "NAME=X: full-sample estimate of a table's treatment (repeatable)")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    command->add_flag("--reversed", cartesian.reversed, "Number the treatments by ascending mean");
    command->add_flag("--differences", cartesian.differences, "Write the six difference files of each pair");
    command->add_option("--code", cartesian.code, "Code for the report's file name; 1 gives the date-time form")
        ->capture_default_str();
    const std::map<std::string, Transformation> transformations{
        {"none", Transformation::None}, {"arcsine", Transformation::Arcsine}, {"logit", Transformation::Logit}};
    command->add_option("--transformation", cartesian.transformation, "Maintainer use: transform every value")
        ->transform(CLI::CheckedTransformer(transformations, CLI::ignore_case));
    command->add_flag("--flow-record", cartesian.flowRecord, "Maintainer use: write the flow record file");
    command->add_option("-C", cartesian.folder, "Folder for the report and difference files")
        ->check(CLI::ExistingDirectory);
    command->add_flag("--json", cartesian.json, "Print the results as one JSON document");
    command->add_option("--fixed-time", answers->fixedTime,
                        "Take this moment (YYYY-MM-DD HH:MM:SS) as the time, for reproducible files");
    command->add_option("--threads", cartesian.threads,
                        "Threads for the pairs; 0 (the default) takes every core the system gives")
        ->check(CLI::NonNegativeNumber);
    command->add_option("--figures", cartesian.figuresFolder,
                        "Write the means figure and one difference histogram per pair into this folder");
    command->add_option("--figure-format", cartesian.figureFormat, "Format of the figures: svg, png or pdf")
        ->check(CLI::IsMember({"svg", "png", "pdf"}))
        ->capture_default_str();

    return {command, [answers] {
                batch::CartesianOptions& options = answers->options;
                if (std::optional<std::string> wrong = takeReadOptions(answers->parameter, answers->sheet,
                                                                       answers->sampleSizes, answers->estimates,
                                                                       options.read)) {
                    std::cerr << *wrong << '\n';
                    return batch::ExitUsage;
                }
                if (!takeFixedTime(answers->fixedTime, options.fixedTime)) return batch::ExitUsage;
                options.reader = readAnyTreatments;
                return runCartesian(std::move(options));
            }};
}

}  // namespace cpt::cli
