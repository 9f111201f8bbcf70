#include "cli/life_table_command.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>

#include <nlohmann/json.hpp>

#include "batch/batch_options.h"
#include "batch/study_batch.h"
#include "cli/command_line.h"
#include "cli/figure_output.h"
#include "cli/read_options_text.h"
#include "core/common/number_format.h"
#include "core/common/user_error.h"
#include "core/figures/life_figures.h"
#include "core/life/life_bootstrap.h"
#include "core/life/life_files.h"
#include "core/study/study_file_set.h"
#include "study_files/study_table_files.h"
#include "xlsx/read_treatments.h"

namespace cpt::cli {
namespace {

using life::LifeParameter;

nlohmann::json orNull(const std::optional<double>& value) {
    return value ? nlohmann::json(*value) : nlohmann::json(nullptr);
}

std::string shown(const std::optional<double>& value) { return value ? textNumber(*value) : std::string("none"); }

void printSummary(std::ostream& out, const life::LifeResult& result) {
    for (const life::TreatmentResult& t : result.treatments) {
        out << "Treatment \"" << t.name << "\": ";
        if (t.aggregate) {
            out << "an aggregate life table (estimates only)\n";
        } else {
            out << "n0 = " << t.n0 << ", B = " << result.bootstrap << ", seed " << t.seed << ", "
                << t.zeroOffspring << " replicates without offspring";
            const bool fecundity = std::any_of(t.parameters.begin(), t.parameters.end(), [](const auto& p) {
                return p.parameter == LifeParameter::Fecundity;
            });
            if (fecundity) out << ", " << t.withoutFemales << " without a female";
            out << "\n";
        }
        char line[256];
        std::snprintf(line, sizeof line, "  %-10s %-18s %-18s %-18s %-18s %-18s\n", "parameter", "estimate", "mean",
                      "SE", "2.5 %", "97.5 %");
        out << line;
        for (const life::ParameterResult& p : t.parameters) {
            const auto& s = p.summary;
            std::snprintf(line, sizeof line, "  %-10s %-18s %-18s %-18s %-18s %-18s\n",
                          std::string(life::parameterCode(p.parameter)).c_str(), shown(p.estimate).c_str(),
                          s ? textNumber(s->mean).c_str() : "-", s ? textNumber(s->se).c_str() : "-",
                          s ? textNumber(s->low).c_str() : "-", s ? textNumber(s->high).c_str() : "-");
            out << line;
        }
    }
}

nlohmann::json documentOf(const life::LifeResult& result, const std::vector<std::filesystem::path>& paths) {
    nlohmann::json treatments = nlohmann::json::array();
    for (const life::TreatmentResult& t : result.treatments) {
        nlohmann::json entry;
        entry["name"] = t.name;
        entry["n"] = t.aggregate ? nlohmann::json(nullptr) : nlohmann::json(t.n0);
        entry["B"] = t.aggregate ? nlohmann::json(nullptr) : nlohmann::json(result.bootstrap);
        entry["seed"] = t.seed;
        nlohmann::json estimates;
        const life::Estimates& e = t.table.estimates;
        for (LifeParameter parameter : life::DefaultLifeParameters) {
            estimates[std::string(life::parameterCode(parameter))] = orNull(e.of(parameter));
        }
        nlohmann::json bootstrap = nlohmann::json::object();
        for (const life::ParameterResult& p : t.parameters) {
            const std::string code(life::parameterCode(p.parameter));
            estimates[code] = orNull(p.estimate);
            if (t.aggregate) continue;
            nlohmann::json values;
            values["written"] = p.written;
            values["replicates"] = p.values.size();
            values["without"] = p.without;
            values["mean"] = p.summary ? nlohmann::json(p.summary->mean) : nlohmann::json(nullptr);
            values["se"] = p.summary ? nlohmann::json(p.summary->se) : nlohmann::json(nullptr);
            values["low"] = p.summary ? nlohmann::json(p.summary->low) : nlohmann::json(nullptr);
            values["high"] = p.summary ? nlohmann::json(p.summary->high) : nlohmann::json(nullptr);
            bootstrap[code] = values;
        }
        entry["estimates"] = estimates;
        entry["bootstrap"] = bootstrap;
        entry["zero_offspring"] = t.zeroOffspring;
        entry["without_females"] = t.withoutFemales;
        entry["files"] = nlohmann::json::array();
        treatments.push_back(std::move(entry));
    }
    // The files are written treatment by treatment: its bootstrap files, then its life table.
    std::size_t next = 0;
    for (std::size_t i = 0; i < result.treatments.size(); ++i) {
        const life::TreatmentResult& t = result.treatments[i];
        std::size_t count = 1;
        for (const life::ParameterResult& p : t.parameters) count += p.written ? 1 : 0;
        for (std::size_t k = 0; k < count && next < paths.size(); ++k) {
            treatments[i]["files"].push_back(paths[next++].string());
        }
    }
    nlohmann::json document;
    document["treatments"] = treatments;
    document["bootstrap"] = result.bootstrap;
    document["seed"] = result.seed;
    document["zero_offspring_rule"] = result.zeroOffspring == life::ZeroOffspring::Drop ? "drop" : "refuse";
    document["notes"] = result.notes;
    return document;
}

// l_x and m_x against age; a name taken gets " (2)", " (3)", ...
std::vector<std::filesystem::path> writeLifeFigures(const life::LifeResult& result, const std::filesystem::path& folder,
                                                    const std::string& format) {
    std::vector<std::filesystem::path> written;
    try {
        for (const figures::LifeCurve curve : {figures::LifeCurve::Survival, figures::LifeCurve::Fecundity}) {
            const std::string stem = figures::lifeFigureStem(curve);
            std::filesystem::path path;
            for (int number = 1; number <= 1000; ++number) {
                path = folder / (stem + (number == 1 ? "" : " (" + std::to_string(number) + ")") + "." + format);
                if (!std::filesystem::exists(path)) break;
            }
            writeFigureFile(figures::lifeTableFigure(result, curve), path, format);
            written.push_back(path);
        }
    } catch (...) {
        for (const auto& path : written) std::filesystem::remove(path);
        throw;
    }
    return written;
}

void removeFiles(const std::vector<std::filesystem::path>& paths) noexcept {
    for (const auto& path : paths) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
}

}  // namespace

LifeTableCommand::LifeTableCommand(CLI::App& app) {
    command_ = app.add_subcommand(
        "life-table",
        "Life tables from a cohort's daily records: the bootstrap result files of every treatment and parameter.");
    command_->add_option("files", files_, "Record tables (.csv, .tsv, text tables, .xlsx): long, wide or aggregate")
        ->required()
        ->check(CLI::ExistingFile);
    command_->add_option("-C", folder_, "Folder for the bootstrap files, life tables and study files")
        ->required()
        ->check(CLI::ExistingDirectory);
    command_->add_option("--bootstrap", bootstrap_, "Bootstrap replicates B per treatment")->capture_default_str();
    command_->add_option("--seed", seed_, "Seed S: treatment t draws from mt19937_64 seeded S + t - 1")
        ->capture_default_str();
    command_->add_option("--parameters", parameters_,
                         "Parameters written: r, lambda, R0, T, GRR, longevity, fecundity (comma-separated)")
        ->delimiter(',')
        ->allow_extra_args(false)
        ->take_all()
        ->capture_default_str();
    command_->add_option("--cohort", cohort_, "The cohort: every individual, or the females")
        ->check(CLI::IsMember({"all", "females"}))
        ->capture_default_str();
    command_->add_option("--female-offspring", femaleOffspring_, "Female share s of the offspring, 0 < s <= 1")
        ->capture_default_str();
    command_->add_option("--zero-offspring", zeroOffspring_,
                         "Replicates without offspring: refuse (r and T are not written) or drop them")
        ->check(CLI::IsMember({"refuse", "drop"}))
        ->capture_default_str();
    command_->add_option("--threads", threads_, "Threads for the replicates; 0 (the default) takes every core")
        ->check(CLI::Range(0, 256));
    command_->add_flag("--json", json_, "Print the results as one JSON document");
    command_->add_flag("--study", study_, "Also write the study table of the files written (as cpt study does)");
    command_->add_option("--format", formats_, "The study table's formats: csv, xlsx, html, tex, md, docx or all")
        ->delimiter(',')
        ->allow_extra_args(false)
        ->take_all()
        ->capture_default_str();
    command_->add_option("--fixed-time", fixedTime_,
                         "Take this moment (YYYY-MM-DD HH:MM:SS) as the time of the study's reports");
    command_->add_option("--figures", figures_, "Write the l_x and m_x figures (one curve per treatment) into this folder");
    command_->add_option("--figure-format", figureFormat_, "Format of the figures: svg, png or pdf")
        ->check(CLI::IsMember({"svg", "png", "pdf"}))
        ->capture_default_str();
    command_->add_option("--sheet", sheet_, "Worksheet of an .xlsx records table (default: the first)");
}

int LifeTableCommand::run() const {
    life::LifeSettings settings;
    settings.bootstrap = bootstrap_;
    settings.seed = seed_;
    settings.parameters.clear();
    for (const std::string& code : parameters_) {
        const std::optional<LifeParameter> parameter = life::parameterOfCode(code);
        if (!parameter) {
            std::cerr << "--parameters: \"" << code
                      << "\" is none of r, lambda, R0, T, GRR, longevity, fecundity.\n";
            return batch::ExitUsage;
        }
        settings.parameters.push_back(*parameter);
    }
    settings.cohort = cohort_ == "females" ? life::Cohort::Females : life::Cohort::All;
    settings.femaleOffspring = femaleOffspring_;
    settings.zeroOffspring = zeroOffspring_ == "drop" ? life::ZeroOffspring::Drop : life::ZeroOffspring::Refuse;
    settings.threads = threads_;
    if (const auto problem = life::settingsProblem(settings)) {
        std::cerr << *problem << '\n';
        return batch::ExitUsage;
    }
    batch::StudyBatchOptions study;
    if (study_) {
        try {
            study.formats = studyFormatsNamed(formats_);
        } catch (const UserError& error) {
            std::cerr << error.what() << '\n';
            return batch::ExitUsage;
        }
        if (!takeFixedTime(fixedTime_, study.fixedTime)) return batch::ExitUsage;
    }

    std::filesystem::path figuresFolder;
    if (!figures_.empty()) {
        figuresFolder = std::filesystem::absolute(figures_);
        try {
            makeFiguresFolder(figuresFolder);
        } catch (const UserError& error) {
            std::cerr << error.what() << '\n';
            return batch::ExitFailure;
        }
    }

    life::Records records;
    try {
        const std::optional<std::string> sheet = sheet_.empty() ? std::nullopt : std::optional<std::string>(sheet_);
        for (const std::string& file : files_) life::addRecords(records, readRecords(std::filesystem::path(file), sheet));
    } catch (const UserError& error) {
        std::cerr << error.what() << '\n';
        return batch::ExitFailure;
    }
    // A cohort of females, or their fecundity, from records without sexes is
    // a wrong option for these files.
    const bool fecundity = std::find(settings.parameters.begin(), settings.parameters.end(),
                                     LifeParameter::Fecundity) != settings.parameters.end();
    for (const life::TreatmentRecords& treatment : records.treatments) {
        if (treatment.isAggregate() || treatment.hasSex) continue;
        if (settings.cohort == life::Cohort::Females || fecundity) {
            std::cerr << "Treatment \"" << treatment.name << "\" (" << treatment.source << ") has no column sex, but "
                      << (fecundity ? "--parameters fecundity" : "--cohort females") << " needs the females.\n";
            return batch::ExitUsage;
        }
    }

    if (::isatty(STDERR_FILENO) != 0) {
        const auto start = std::chrono::steady_clock::now();
        settings.progress = [start, last = std::chrono::steady_clock::time_point()](std::int64_t done,
                                                                                    std::int64_t total) mutable {
            const auto now = std::chrono::steady_clock::now();
            if (done != total && now - last < std::chrono::milliseconds(500)) return;
            last = now;
            const std::chrono::duration<double> elapsed = now - start;
            std::fprintf(stderr, "cpt: replicates %lld of %lld, %.1f s\n", static_cast<long long>(done),
                         static_cast<long long>(total), elapsed.count());
        };
    }
    life::LifeResult result;
    std::vector<std::filesystem::path> written;
    const std::filesystem::path folder = std::filesystem::absolute(folder_);
    try {
        result = life::runLifeTables(records, settings);
        written = life::writeLifeFiles(result, folder);
    } catch (const UserError& error) {
        std::cerr << error.what() << '\n';
        return batch::ExitFailure;
    } catch (const std::bad_alloc&) {
        std::cerr << "There is not enough memory for these replicates; give a smaller --bootstrap.\n";
        return batch::ExitFailure;
    }
    for (const std::string& note : result.notes) std::cerr << note << '\n';

    std::vector<std::filesystem::path> figureFiles;
    if (!figures_.empty()) {
        try {
            figureFiles = writeLifeFigures(result, figuresFolder, figureFormat_);
        } catch (const UserError& error) {
            removeFiles(written);
            std::cerr << error.what() << "\nThe life tables' files have been removed.\n";
            return batch::ExitFailure;
        }
    }
    nlohmann::json document = documentOf(result, written);
    if (!figures_.empty()) {
        nlohmann::json paths = nlohmann::json::array();
        for (const auto& path : figureFiles) paths.push_back(path.string());
        document["figures"] = paths;
    }
    std::vector<std::filesystem::path> studyFiles;
    if (study_) {
        study.folder = folder.string();
        study.threads = threads_;
        study.reader = readAnyTreatments;
        for (const auto& path : written) {
            if (path.extension() == ".txt") study.files.push_back(path.string());
        }
        const batch::BatchOutcome outcome = batch::runStudyBatch(study, writeStudyTableFiles, std::cerr);
        if (outcome.status != batch::ExitSuccess) {
            // The run's files stand or fall with its study.
            removeFiles(written);
            removeFiles(figureFiles);
            std::cerr << "The life tables' files have been removed.\n";
            return outcome.status;
        }
        studyFiles = outcome.written;
        document["study"] = outcome.document;
    }
    if (json_) {
        std::cout << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    } else {
        printSummary(std::cout, result);
        for (const auto& path : written) std::cout << path.string() << '\n';
        for (const auto& path : figureFiles) std::cout << path.string() << '\n';
        for (const auto& path : studyFiles) std::cout << path.string() << '\n';
    }
    return batch::ExitSuccess;
}

Subcommand addLifeTableCommand(CLI::App& app) {
    auto command = std::make_shared<LifeTableCommand>(app);
    return {command->subcommand(), [command] { return command->run(); }};
}

}  // namespace cpt::cli
