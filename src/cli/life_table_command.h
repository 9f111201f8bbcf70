#pragma once
// cpt life-table: a cohort's records in, the life table and the bootstrap
// result files of each treatment out (and, on request, the study table of
// the files just written).
#include <CLI/CLI.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace cpt::cli {

// The options are bound to its members: it stays where it was made.
class LifeTableCommand {
public:
    // Adds the subcommand and its options to the program's.
    explicit LifeTableCommand(CLI::App& app);
    LifeTableCommand(const LifeTableCommand&) = delete;
    LifeTableCommand& operator=(const LifeTableCommand&) = delete;
    CLI::App* subcommand() const { return command_; }
    bool parsed() const { return command_->parsed(); }
    // The exit status: 0 done, 1 a failure (nothing written), 2 bad options.
    int run() const;

private:
    CLI::App* command_ = nullptr;
    std::vector<std::string> files_;
    std::string folder_;
    std::int64_t bootstrap_ = 100'000;
    std::uint64_t seed_ = 1;
    std::vector<std::string> parameters_{"r", "lambda", "R0", "T", "GRR"};
    std::string cohort_ = "all";
    double femaleOffspring_ = 1;
    std::string zeroOffspring_ = "refuse";
    int threads_ = 0;
    bool json_ = false;
    std::string figures_;
    std::string figureFormat_ = "svg";
    bool study_ = false;
    std::vector<std::string> formats_{"csv", "xlsx", "html"};
    std::string fixedTime_;
    std::string sheet_;
};


}  // namespace cpt::cli
