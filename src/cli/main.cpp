// cpt: the batch front end. Each command hands its options to the core's
// analysis and writes what the desktop program writes for the same choices.
#include <CLI/CLI.hpp>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/read_options_text.h"
#include "core/common/file_size_signal.h"
#include "core/state/analysis_state.h"
#include "core/study/study_rounding.h"

int main(int argc, char** argv) {
    using namespace cpt::cli;
    using namespace cpt::batch;
    cpt::ignoreFileSizeSignal();
    CLI::App app{"Cartesian paired test and sort-and-count of bootstrap results, without questions."};
    app.require_subcommand(1);

    CartesianOptions cartesian;
    CLI::App* cartesianCommand = app.add_subcommand(
        "cartesian", "Cartesian paired test of 2 to 26 treatments, from files or tables given in entry order.");
    cartesianCommand->add_option("files", cartesian.files,
                                 "Treatment bootstrap result files, or tables (.csv, .tsv, .xlsx) of several")
        ->required()
        ->expected(1, -1)
        ->check(CLI::ExistingFile);
    std::string parameter;
    std::string sheet;
    std::vector<std::string> sampleSizes;
    std::vector<std::string> estimates;
    cartesianCommand->add_option("--parameter", parameter,
                                 "Parameter code of a table (of the one to take from a table of several)");
    cartesianCommand->add_option("--sheet", sheet, "Worksheet of an .xlsx table (default: the first)");
    cartesianCommand->add_option("--sample-size", sampleSizes,
                                 "NAME=N: sample size of a table's treatment; N alone: of every treatment (repeatable)")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    cartesianCommand->add_option("--estimate", estimates,
                                 "NAME=X: full-sample estimate of a table's treatment (repeatable)")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    cartesianCommand->add_flag("--reversed", cartesian.reversed, "Number the treatments by ascending mean");
    cartesianCommand->add_flag("--differences", cartesian.differences, "Write the six difference files of each pair");
    cartesianCommand->add_option("--code", cartesian.code,
                                 "Code for the report's file name; 1 gives the date-time form")
        ->capture_default_str();
    cartesianCommand->add_option("--transformation", cartesian.transformation,
                                 "Maintainer use: transform every value")
        ->check(CLI::IsMember({"none", "arcsine", "logit"}));
    cartesianCommand->add_flag("--flow-record", cartesian.flowRecord, "Maintainer use: write the flow record file");
    cartesianCommand->add_option("-C", cartesian.folder, "Folder for the report and difference files")
        ->check(CLI::ExistingDirectory);
    cartesianCommand->add_flag("--json", cartesian.json, "Print the results as one JSON document");
    cartesianCommand->add_option("--fixed-time", cartesian.fixedTime,
                                 "Take this moment (YYYY-MM-DD HH:MM:SS) as the time, for reproducible files");

    cartesianCommand->add_option("--threads", cartesian.threads,
                                 "Threads for the pairs; 0 (the default) takes every core the system gives")
        ->check(CLI::NonNegativeNumber);
    cartesianCommand->add_option("--figures", cartesian.figuresFolder,
                                 "Write the means figure and one difference histogram per pair into this folder");
    cartesianCommand->add_option("--figure-format", cartesian.figureFormat, "Format of the figures: svg, png or pdf")
        ->check(CLI::IsMember({"svg", "png", "pdf"}))
        ->capture_default_str();

    StudyBatchOptions study;
    CLI::App* studyCommand = app.add_subcommand(
        "study", "A study table of several parameters: one Cartesian paired test per parameter, then the table.");
    studyCommand->add_option("files", study.files, "Treatment bootstrap result files of every parameter")
        ->required()
        ->check(CLI::ExistingFile);
    studyCommand->add_option("-C", study.folder, "Folder for the reports and the table files")
        ->check(CLI::ExistingDirectory);
    studyCommand->add_option("--format", study.formats, "Table formats: csv, xlsx, html, tex, md, docx or all")
        ->delimiter(',')
        ->allow_extra_args(false)
        ->take_all()
        ->capture_default_str();
    studyCommand->add_option("--order", study.order,
                             "The table's columns: every treatment name, comma-separated (default: as they first appear)")
        ->delimiter(',')
        ->allow_extra_args(false)
        ->take_all();
    studyCommand->add_flag("--reversed", study.reversed, "Number each run's treatments by ascending mean");
    studyCommand->add_option("--code", study.code, "Code for the reports' file names; 1 gives the date-time form")
        ->capture_default_str();
    studyCommand->add_option("--fixed-time", study.fixedTime,
                             "Take this moment (YYYY-MM-DD HH:MM:SS) as the time, for reproducible files");
    studyCommand->add_option("--threads", study.threads,
                             "Threads for the parameters' runs; 0 (the default) takes every core the system gives")
        ->check(CLI::Range(0, 256));
    studyCommand->add_option("--digits", study.digits, "Significant digits of the SE in the table")
        ->check(CLI::Range(1, cpt::MaxStudyDigits))
        ->capture_default_str();
    studyCommand->add_flag("--json", study.json, "Print the results as one JSON document");
    StudyFigureOptions studyFigures;
    addStudyTableOptions(*studyCommand, study, studyFigures);

    SortCountOptions sortCount;
    CLI::App* sortCountCommand = app.add_subcommand("sort-count", "Sort and count the values of one data file.");
    sortCountCommand->add_option("file", sortCount.file, "Data file")->required()->check(CLI::ExistingFile);
    sortCountCommand->add_option("--kind", sortCount.kind, "general, boot or results (paired-test results)")
        ->check(CLI::IsMember({"general", "boot", "results"}))
        ->capture_default_str();
    sortCountCommand->add_flag("--serial-numbers", sortCount.serialNumbers,
                               "Each value is preceded by its serial number");
    sortCountCommand->add_option("--decimals", sortCount.decimals, "Decimals kept (0 to 5), -1 keeps all")
        ->capture_default_str();
    sortCountCommand->add_flag("--json", sortCount.json, "Print the results as one JSON document");
    sortCountCommand->add_option("--fixed-time", sortCount.fixedTime,
                                 "Take this moment (YYYY-MM-DD HH:MM:SS) as the time");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        int status = app.exit(error);
        return status == 0 ? ExitSuccess : ExitUsage;
    }
    if (cartesianCommand->parsed()) {
        if (std::optional<std::string> wrong = takeReadOptions(parameter, sheet, sampleSizes, estimates, cartesian.read)) {
            std::cerr << *wrong << '\n';
            return ExitUsage;
        }
        cartesian.reader = readAnyTreatments;
        return runCartesian(cartesian);
    }
    if (studyCommand->parsed()) {
        study.reader = readAnyTreatments;
        return runStudy(study, studyFigures);
    }
    return runSortCount(sortCount);
}
