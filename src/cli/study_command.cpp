#include <iostream>
#include <memory>
#include <string>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/read_options_text.h"
#include "cli/study_options.h"
#include "core/common/user_error.h"
#include "core/study/study_file_set.h"
#include "core/study/study_rounding.h"

namespace cpt::cli {

Subcommand addStudyCommand(CLI::App& app) {
    struct Answers {
        batch::StudyBatchOptions options;
        std::vector<std::string> formats{"csv", "xlsx", "html"};
        std::string fixedTime;
        StudyFigureOptions figures;
    };
    auto answers = std::make_shared<Answers>();
    batch::StudyBatchOptions& study = answers->options;
    CLI::App* command = app.add_subcommand(
        "study", "A study table of several parameters: one Cartesian paired test per parameter, then the table.");
    command->add_option("files", study.files, "Treatment bootstrap result files of every parameter")
        ->required()
        ->check(CLI::ExistingFile);
    command->add_option("-C", study.folder, "Folder for the reports and the table files")
        ->check(CLI::ExistingDirectory);
    command->add_option("--format", answers->formats, "Table formats: csv, xlsx, html, tex, md, docx or all")
        ->delimiter(',')
        ->allow_extra_args(false)
        ->take_all()
        ->capture_default_str();
    command->add_option("--order", study.order,
                        "The table's columns: every treatment name, comma-separated (default: as they first appear)")
        ->delimiter(',')
        ->allow_extra_args(false)
        ->take_all();
    command->add_flag("--reversed", study.reversed, "Number each run's treatments by ascending mean");
    command->add_option("--code", study.code, "Code for the reports' file names; 1 gives the date-time form")
        ->capture_default_str();
    command->add_option("--fixed-time", answers->fixedTime,
                        "Take this moment (YYYY-MM-DD HH:MM:SS) as the time, for reproducible files");
    command->add_option("--threads", study.threads,
                        "Threads for the parameters' runs; 0 (the default) takes every core the system gives")
        ->check(CLI::Range(0, 256));
    command->add_option("--digits", study.digits, "Significant digits of the SE in the table")
        ->check(CLI::Range(1, MaxStudyDigits))
        ->capture_default_str();
    command->add_flag("--json", study.json, "Print the results as one JSON document");
    addStudyTableOptions(*command, study, answers->figures);

    return {command, [answers] {
                if (!takeFixedTime(answers->fixedTime, answers->options.fixedTime)) return batch::ExitUsage;
                try {
                    answers->options.formats = studyFormatsNamed(answers->formats);
                } catch (const UserError& error) {
                    std::cerr << error.what() << '\n';
                    return batch::ExitFailure;
                }
                answers->options.reader = readAnyTreatments;
                return runStudy(answers->options, answers->figures);
            }};
}

}  // namespace cpt::cli
