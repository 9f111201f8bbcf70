#pragma once
// The bootstrap of each treatment's life table, reproducible to the bit.
// Treatment t (from 1, in order) draws from one std::mt19937_64 seeded with
// S + t - 1: replicate b = 1..B takes n0 individuals, the j-th being the one
// at index floor(n0 u / 2^64) of the cohort, u the generator's next output,
// in order of b, then j. Replicates are worked out on every core in blocks,
// each block starting from the generator's state at its first replicate, so
// the values never depend on the thread or the thread count.
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "core/life/life_table.h"
#include "core/life/records.h"

namespace cpt::life {

// What becomes of the replicates that lack a parameter (r and T where no
// offspring were laid, the fecundity where no female was drawn).
enum class ZeroOffspring { Refuse, Drop };

// How the messages name the settings: cpt's options unless a front end gives its own words.
struct LifeWording {
    std::string bootstrap = "--bootstrap";
    std::string femaleOffspring = "--female-offspring";
    std::string cohortFemales = "--cohort females";
    std::string drop = "--zero-offspring drop";
};

struct LifeSettings {
    std::int64_t bootstrap = 100'000;  // B, at least 2
    std::uint64_t seed = 1;            // S
    std::vector<LifeParameter> parameters{DefaultLifeParameters.begin(), DefaultLifeParameters.end()};
    Cohort cohort = Cohort::All;
    double femaleOffspring = 1;  // s, in (0, 1]
    ZeroOffspring zeroOffspring = ZeroOffspring::Refuse;
    int threads = 0;  // 0: every core the system gives the process
    // Called on the calling thread as blocks of replicates finish.
    std::function<void(std::int64_t done, std::int64_t total)> progress;
    const std::atomic<bool>* cancel = nullptr;  // ends the run in Cancelled
    // Called on the calling thread while it waits for the replicates, so
    // that a window keeps drawing; the replicates then run on worker threads
    // even at one thread.
    std::function<void()> whileWaiting;
    LifeWording wording;
};

// What is wrong with the settings alone (B, s, the parameters); none when they can run.
std::optional<std::string> settingsProblem(const LifeSettings& settings);
// What the records lack for the settings (a sex column for the females'
// cohort or the fecundity, individuals in a cohort); none when they can run.
std::optional<std::string> recordsProblem(const Records& records, const LifeSettings& settings);

// The replicates' n0 draws, as the bootstrap makes them: the index of each
// draw from the generator's next output.
// (__extension__: the 128-bit product is a GCC and Clang type, which
// pedantic builds such as R's would otherwise warn of.)
__extension__ typedef unsigned __int128 DrawProduct;
inline std::size_t drawIndex(std::uint64_t n0, std::uint64_t u) {
    return static_cast<std::size_t>((static_cast<DrawProduct>(n0) * u) >> 64);
}

struct BootstrapSummary {
    double mean = 0;
    double se = 0;     // standard deviation of the replicates
    double low = 0;    // 2.5 % percentile
    double high = 0;   // 97.5 % percentile
};

struct ParameterResult {
    LifeParameter parameter = LifeParameter::R;
    std::optional<double> estimate;  // of the full sample
    std::vector<double> values;      // the replicates kept, in order
    std::int64_t without = 0;        // replicates without a value
    std::vector<std::int64_t> withoutAt;  // which ones (from 0), in order
    // Its bootstrap file is written: it has an estimate, and no replicate
    // was left without a value unless the settings drop them.
    bool written = false;
    std::optional<BootstrapSummary> summary;  // of the values kept
};

struct TreatmentResult {
    std::string name;
    bool aggregate = false;  // estimates only, nothing to resample
    std::int64_t n0 = 0;
    std::uint64_t seed = 0;  // of its generator
    LifeTable table;
    std::vector<ParameterResult> parameters;  // in the settings' order
    std::int64_t zeroOffspring = 0;           // replicates with R0 = 0
    std::int64_t withoutFemales = 0;          // replicates without a female
};

struct LifeResult {
    std::int64_t bootstrap = 0;
    std::uint64_t seed = 0;
    ZeroOffspring zeroOffspring = ZeroOffspring::Refuse;
    std::vector<TreatmentResult> treatments;
    // What the user must be told: files not written and why, replicates dropped.
    std::vector<std::string> notes;
};

// Throws UserError at settings or records that cannot run (see above), and
// Cancelled when the cancel flag is set.
LifeResult runLifeTables(const Records& records, const LifeSettings& settings);

// The statistics of the replicates (at least 2): mean, standard deviation
// (n - 1), and the percentiles by linear interpolation between order statistics.
BootstrapSummary summarize(std::span<const double> values);

}  // namespace cpt::life
