#include "core/life/life_bootstrap.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/analysis/parallel_jobs.h"
#include "core/common/number_format.h"
#include "core/common/user_error.h"
#include "core/common/capacities.h"

namespace cpt::life {
namespace {

// Replicates between two reports of progress.
constexpr std::int64_t ProgressReplicates = 1024;

std::string inQuotes(const std::string& text) { return "\"" + text + "\""; }

bool canLack(LifeParameter parameter) {
    return parameter == LifeParameter::R || parameter == LifeParameter::T || parameter == LifeParameter::Fecundity;
}

struct TreatmentWork {
    const TreatmentRecords* records = nullptr;
    std::vector<const Individual*> cohort;
    std::uint64_t seed = 0;
    std::int64_t blocks = 0;
    std::int64_t blockReplicates = 0;
    std::vector<std::mt19937_64> starts;  // the generator at each block's first replicate
    // Per parameter of the settings, B values (NaN: none).
    std::vector<std::vector<double>> values;
    std::atomic<std::int64_t> zeroOffspring{0}, withoutFemales{0};
};

}  // namespace

std::optional<std::string> settingsProblem(const LifeSettings& settings) {
    const LifeWording& wording = settings.wording;
    if (settings.bootstrap < 2) {
        return wording.bootstrap + " must be at least 2 (it is " + std::to_string(settings.bootstrap) + ").";
    }
    if (settings.bootstrap > ValueCapacity - 1) {
        // Its files could not be read again.
        return wording.bootstrap + " can be at most " + std::to_string(ValueCapacity - 1) +
               ", the most values a treatment file can hold (it is " + std::to_string(settings.bootstrap) + ").";
    }
    if (!(settings.femaleOffspring > 0 && settings.femaleOffspring <= 1)) {
        return wording.femaleOffspring + " is the female share of the offspring: more than 0 and at most 1 (it is " +
               textNumber(settings.femaleOffspring) + ").";
    }
    if (settings.parameters.empty()) return "No parameter is asked for.";
    for (std::size_t i = 0; i < settings.parameters.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (settings.parameters[i] == settings.parameters[j]) {
                return "The parameter " + std::string(parameterCode(settings.parameters[i])) + " is asked for twice.";
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> recordsProblem(const Records& records, const LifeSettings& settings) {
    const bool fecundity = std::find(settings.parameters.begin(), settings.parameters.end(),
                                     LifeParameter::Fecundity) != settings.parameters.end();
    if (records.treatments.empty()) return "No treatment was read.";
    for (const TreatmentRecords& treatment : records.treatments) {
        const std::string which = "Treatment " + inQuotes(treatment.name) + " (" + treatment.source + ")";
        if (treatment.name.find('"') != std::string::npos) {
            return which + " has a double quote in its name, which the heading of a bootstrap result file cannot hold.";
        }
        if (treatment.isAggregate()) continue;
        if (treatment.individuals.empty()) return which + " has no individuals.";
        if (!treatment.hasSex && settings.cohort == Cohort::Females) {
            return which + " has no column sex, but " + settings.wording.cohortFemales + " takes the females.";
        }
        if (!treatment.hasSex && fecundity) {
            return which + " has no column sex, but the fecundity is the mean of the females' eggs.";
        }
        if (cohortOf(treatment, settings.cohort).empty()) {
            return which + " has no females, but " + settings.wording.cohortFemales + " takes the females.";
        }
    }
    return std::nullopt;
}

BootstrapSummary summarize(std::span<const double> values) {
    BootstrapSummary summary;
    const auto n = static_cast<double>(values.size());
    double sum = 0;
    for (const double v : values) sum += v;
    summary.mean = sum / n;
    double squares = 0;
    for (const double v : values) squares += (v - summary.mean) * (v - summary.mean);
    summary.se = std::sqrt(squares / (n - 1));
    std::vector<double> sorted(values.begin(), values.end());
    std::sort(sorted.begin(), sorted.end());
    auto percentile = [&](double p) {
        const double h = (n - 1) * p;
        const auto below = static_cast<std::size_t>(std::floor(h));
        const std::size_t above = std::min(below + 1, sorted.size() - 1);
        return sorted[below] + (h - std::floor(h)) * (sorted[above] - sorted[below]);
    };
    summary.low = percentile(0.025);
    summary.high = percentile(0.975);
    return summary;
}

LifeResult runLifeTables(const Records& records, const LifeSettings& settings) {
    if (auto problem = settingsProblem(settings)) throw UserError(*problem);
    if (auto problem = recordsProblem(records, settings)) throw UserError(*problem);
    const std::int64_t B = settings.bootstrap;
    const std::size_t parameterCount = settings.parameters.size();

    LifeResult result;
    result.bootstrap = B;
    result.seed = settings.seed;
    result.zeroOffspring = settings.zeroOffspring;
    std::vector<TreatmentWork> work(records.treatments.size());
    for (std::size_t t = 0; t < records.treatments.size(); ++t) {
        const TreatmentRecords& treatment = records.treatments[t];
        TreatmentWork& w = work[t];
        w.records = &treatment;
        w.seed = settings.seed + static_cast<std::uint64_t>(t);
        TreatmentResult& out = result.treatments.emplace_back();
        out.name = treatment.name;
        out.seed = w.seed;
        out.aggregate = treatment.isAggregate();
        if (out.aggregate) {
            out.table = aggregateLifeTable(treatment.aggregate);
            continue;
        }
        w.cohort = cohortOf(treatment, settings.cohort);
        out.n0 = static_cast<std::int64_t>(w.cohort.size());
        out.table = lifeTableOf(w.cohort, settings.femaleOffspring);
        w.values.assign(parameterCount, std::vector<double>(static_cast<std::size_t>(B)));
    }

    const int threads = settings.threads > 0 ? settings.threads : availableThreads();
    std::vector<std::size_t> resampled;
    for (std::size_t t = 0; t < work.size(); ++t) {
        if (!work[t].cohort.empty()) resampled.push_back(t);
    }
    // A block's generator starts from the state the draws before it leave,
    // which costs generating them once more: treatments are split into
    // blocks only where whole treatments cannot keep every thread busy to
    // the end. The values are the same however they are split.
    const std::int64_t split = resampled.size() % static_cast<std::size_t>(threads) == 0 ? 1 : threads;
    for (const std::size_t t : resampled) {
        TreatmentWork& w = work[t];
        w.blockReplicates = (B + split - 1) / split;
        w.blocks = (B + w.blockReplicates - 1) / w.blockReplicates;
    }
    // First the generators' states at each block's start, one job per
    // treatment; then the blocks themselves.
    JobRun starts;
    starts.jobCount = static_cast<int>(resampled.size());
    starts.workers = std::min<int>(threads, std::max<int>(1, starts.jobCount));
    starts.cancel = settings.cancel;
    starts.whileWaiting = settings.whileWaiting;
    starts.job = [&](int job, int, JobEvents&) {
        TreatmentWork& w = work[resampled[static_cast<std::size_t>(job)]];
        std::mt19937_64 generator(w.seed);
        const auto n0 = static_cast<unsigned long long>(w.cohort.size());
        w.starts.reserve(static_cast<std::size_t>(w.blocks));
        for (std::int64_t block = 0; block < w.blocks; ++block) {
            w.starts.push_back(generator);
            if (block + 1 < w.blocks) generator.discard(static_cast<unsigned long long>(w.blockReplicates) * n0);
        }
    };
    if (split > 1) runJobs(starts);

    struct Block {
        std::size_t treatment;
        std::int64_t block;
    };
    std::vector<Block> blocks;
    for (const std::size_t t : resampled) {
        for (std::int64_t b = 0; b < work[t].blocks; ++b) blocks.push_back({t, b});
    }
    // Each worker's own estimators (they keep room between samples) and counts.
    struct WorkerRoom {
        std::vector<std::unique_ptr<SampleEstimator>> estimators;
        std::vector<std::uint32_t> counts;
    };
    std::vector<WorkerRoom> rooms(static_cast<std::size_t>(threads));
    for (WorkerRoom& room : rooms) room.estimators.resize(work.size());
    std::atomic<std::int64_t> done{0};
    // Progress in replicates done of every treatment's B.
    const auto total = static_cast<std::int64_t>(resampled.size()) * B;

    JobRun run;
    run.jobCount = static_cast<int>(blocks.size());
    run.workers = threads;
    run.cancel = settings.cancel;
    run.whileWaiting = settings.whileWaiting;
    run.job = [&](int job, int worker, JobEvents& events) {
        const Block& block = blocks[static_cast<std::size_t>(job)];
        TreatmentWork& w = work[block.treatment];
        WorkerRoom& room = rooms[static_cast<std::size_t>(worker)];
        std::unique_ptr<SampleEstimator>& estimator = room.estimators[block.treatment];
        if (!estimator) estimator = std::make_unique<SampleEstimator>(w.cohort, settings.femaleOffspring);
        const std::size_t n0 = w.cohort.size();
        room.counts.resize(n0);
        std::mt19937_64 generator = w.blocks == 1 ? std::mt19937_64(w.seed) : w.starts[static_cast<std::size_t>(block.block)];
        const std::int64_t first = block.block * w.blockReplicates;
        const std::int64_t end = std::min(B, first + w.blockReplicates);
        std::int64_t zeroOffspring = 0, withoutFemales = 0;
        for (std::int64_t b = first; b < end; ++b) {
            std::fill(room.counts.begin(), room.counts.end(), 0U);
            for (std::size_t j = 0; j < n0; ++j) ++room.counts[drawIndex(n0, generator())];
            const Estimates estimates = estimator->estimate(room.counts);
            if ((b - first + 1) % ProgressReplicates == 0 || b + 1 == end) {
                done.fetch_add((b - first) % ProgressReplicates + 1);
                events.post([&] {
                    if (settings.progress) settings.progress(done.load(), total);
                });
                // A block may be a whole treatment's B: a cancel must not wait for its end.
                if (settings.cancel != nullptr && settings.cancel->load(std::memory_order_relaxed)) return;
            }
            if (*estimates.R0 == 0) ++zeroOffspring;
            if (!estimates.fecundity) ++withoutFemales;
            for (std::size_t p = 0; p < parameterCount; ++p) {
                const std::optional<double> value = estimates.of(settings.parameters[p]);
                w.values[p][static_cast<std::size_t>(b)] = value ? *value : std::nan("");
            }
        }
        w.zeroOffspring += zeroOffspring;
        w.withoutFemales += withoutFemales;
    };
    runJobs(run);

    // Which replicates lack offspring or females: from R0 and the cohort's
    // draws, whatever parameters were asked for.
    for (std::size_t t = 0; t < work.size(); ++t) {
        TreatmentWork& w = work[t];
        TreatmentResult& out = result.treatments[t];
        for (std::size_t p = 0; p < parameterCount; ++p) {
            ParameterResult& parameter = out.parameters.emplace_back();
            parameter.parameter = settings.parameters[p];
            parameter.estimate = out.table.estimates.of(parameter.parameter);
            if (out.aggregate) continue;
            std::vector<double>& values = w.values[p];
            parameter.without = std::count_if(values.begin(), values.end(), [](double v) { return std::isnan(v); });
            if (parameter.without > 0) {
                for (std::size_t b = 0; b < values.size(); ++b) {
                    if (std::isnan(values[b])) parameter.withoutAt.push_back(static_cast<std::int64_t>(b));
                }
                std::erase_if(values, [](double v) { return std::isnan(v); });
            }
            parameter.values = std::move(values);
        }
        if (out.aggregate) continue;
        const std::string name = "Treatment " + inQuotes(out.name);
        const std::string Bs = std::to_string(B);
        out.zeroOffspring = w.zeroOffspring.load();
        out.withoutFemales = w.withoutFemales.load();
        // One note per cause, naming every parameter it takes away: r and T
        // go together where no offspring were laid.
        struct Cause {
            std::string codes;
            std::int64_t count = 0;
            std::int64_t kept = 0;
        };
        Cause noEstimate[2], withheld[2], dropped[2];  // [0]: no offspring, [1]: no female
        auto add = [](Cause& cause, const std::string& code, std::int64_t count, std::int64_t kept) {
            cause.codes += (cause.codes.empty() ? "" : " and ") + code;
            cause.count = count;
            cause.kept = kept;
        };
        for (ParameterResult& parameter : out.parameters) {
            const std::string code(parameterCode(parameter.parameter));
            const int cause = parameter.parameter == LifeParameter::Fecundity ? 1 : 0;
            const auto without = parameter.without;
            const auto kept = static_cast<std::int64_t>(parameter.values.size());
            if (!parameter.estimate) {
                add(noEstimate[cause], code, 0, 0);
                continue;
            }
            if (without > 0 && canLack(parameter.parameter)) {
                if (settings.zeroOffspring == ZeroOffspring::Refuse) {
                    add(withheld[cause], code, without, B - without);
                    continue;
                }
                add(dropped[cause], code, without, kept);
            }
            if (kept < 2) {
                result.notes.push_back(name + ": fewer than 2 replicates have " + code + "; no " + code +
                                       " file is written.");
                continue;
            }
            parameter.written = true;
            parameter.summary = summarize(parameter.values);
        }
        for (int cause = 0; cause < 2; ++cause) {
            const std::string lack = cause == 0 ? "no offspring (R0 = 0)" : "no female";
            const std::string replicates = cause == 0 ? " replicates without offspring (R0 = 0)"
                                                      : " replicates without a female";
            auto files = [](const Cause& c, const char* one, const char* several) {
                const bool single = c.codes.find(" and ") == std::string::npos;
                return c.codes + (single ? " file" : " files") + (single ? one : several);
            };
            if (!noEstimate[cause].codes.empty()) {
                result.notes.push_back(name + ": the full sample has " + lack + ", so it has no " +
                                       noEstimate[cause].codes + "; no " + files(noEstimate[cause], " is", " are") +
                                       " written.");
            }
            if (!withheld[cause].codes.empty()) {
                const Cause& c = withheld[cause];
                result.notes.push_back(name + ": " + std::to_string(c.count) + " of " + Bs + replicates +
                                       " have no " + c.codes + "; its " + files(c, " is", " are") + " not written. " +
                                       settings.wording.drop + " writes them from the other " +
                                       std::to_string(c.kept) + ".");
            }
            if (!dropped[cause].codes.empty()) {
                const Cause& c = dropped[cause];
                result.notes.push_back(name + ": " + std::to_string(c.count) + " of " + Bs + replicates +
                                       " dropped; its " + files(c, " holds", " hold") + " the other " + std::to_string(c.kept) +
                                       ".");
            }
        }
    }
    return result;
}

}  // namespace cpt::life
