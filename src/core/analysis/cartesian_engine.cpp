#include "core/analysis/cartesian_engine.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "core/analysis/large_pair.h"
#include "core/analysis/pair_jobs.h"
#include "core/analysis/parallel_jobs.h"
#include "core/analysis/pair_calculation.h"
#include "core/analysis/pair_statistics.h"
#include "core/analysis/side_by_side_sums.h"
#include "core/analysis/transformation.h"
#include "core/common/number_format.h"
#include "core/common/user_error.h"
#include "core/tables/letter_marking.h"
#include "core/tables/table_forms.h"

namespace cpt {
namespace {

// The values a treatment enters the test with: its own, or a transformed copy
// when it comes untransformed. The test owns a transformed copy, and the
// values of treatments given up; it may sort those where they are.
struct Prepared {
    const Treatment* treatment = nullptr;
    BootstrapValues owned;
    bool transformedHere = false;
    std::span<const double> values;
};

std::string treatmentNamed(std::size_t place, const Treatment& treatment) {
    return "Treatment " + std::to_string(place) + " (\"" + (treatment.source.empty() ? treatment.name : treatment.source) +
           "\")";
}

BootstrapValues transformedValues(std::size_t entry, const Treatment& treatment, Transformation transformation) {
    BootstrapValues values;
    values.reserve(treatment.values.size());
    for (std::size_t k = 0; k < treatment.values.size(); ++k) {
        const double x = treatment.values[k];
        if (!inTransformationRange(transformation, x)) {
            throw UserError(treatmentNamed(entry + 1, treatment) + ": bootstrap value " + std::to_string(k + 1) +
                            " is " + textNumber(x) + ", but " + std::string(transformationRangeText(transformation)) +
                            ".");
        }
        values.push_back(applyTransformation(transformation, x));
    }
    return values;
}

// givenUp: empty, or the same treatments, whose values the test may take.
std::vector<Prepared> prepare(std::span<const Treatment> treatments, std::span<Treatment> givenUp,
                              Transformation transformation) {
    const std::size_t count = treatments.size();
    if (count < 2 || count > static_cast<std::size_t>(TreatmentCapacity)) {
        throw UserError(treatmentCountComplaint(count));
    }
    std::vector<Prepared> prepared(count);
    for (std::size_t t = 0; t < count; ++t) {
        const Treatment& treatment = treatments[t];
        Prepared& entry = prepared[t];
        entry.treatment = &treatment;
        if (treatment.transformation != transformation && treatment.transformation != Transformation::None) {
            throw UserError(treatmentNamed(t + 1, treatment) + " carries another transformation than the test's.");
        }
        if (treatment.transformation != transformation) {
            entry.owned = transformedValues(t, treatment, transformation);
            entry.transformedHere = true;
            entry.values = entry.owned;
            if (!givenUp.empty()) BootstrapValues().swap(givenUp[t].values);  // the copy stands for them
        } else if (!givenUp.empty()) {
            entry.owned = std::move(givenUp[t].values);
            entry.values = entry.owned;
        } else {
            entry.values = treatment.values;
        }
        if (entry.values.size() < 2 || entry.values.size() > static_cast<std::size_t>(ValueCapacity - 1)) {
            throw UserError(treatmentNamed(t + 1, treatment) + " has " + std::to_string(entry.values.size()) +
                            " bootstrap values; at least 2 are needed, and at most " +
                            std::to_string(ValueCapacity - 1) + ".");
        }
        if (treatment.sampleSize < 1) {
            throw UserError(treatmentNamed(t + 1, treatment) + " has the sample size " +
                            std::to_string(treatment.sampleSize) + ", but a sample size must be at least 1.");
        }
    }
    return prepared;
}

double orderingMean(const Prepared& entry) {
    // A transformed copy is ordered by its own mean.
    if (entry.transformedHere || !entry.treatment->orderingMean) {
        double sum = 0;
        for (const double x : entry.values) sum += x;
        return sum / static_cast<double>(static_cast<std::int32_t>(entry.values.size()));
    }
    return *entry.treatment->orderingMean;
}

TreatmentStatistics statisticsOf(const Prepared& entry, int entryPlace, double orderMean) {
    const Treatment& treatment = *entry.treatment;
    TreatmentStatistics s;
    s.entry = entryPlace;
    s.name = treatment.name;
    s.code = treatment.code;
    s.source = treatment.source;
    s.sampleSize = treatment.sampleSize;
    s.bootstrapNumber = static_cast<std::int32_t>(entry.values.size());
    s.estimate = treatment.estimate;
    s.orderingMean = orderMean;
    const std::int32_t count = s.bootstrapNumber;
    double sum = 0;
    double sumSquares = 0;
    for (const double x : entry.values) {
        sum += x;
        sumSquares += x * x;
    }
    s.sum = sum;
    s.sumSquares = sumSquares;
    s.mean = sum / count;
    s.varianceBySums = varianceBySums(sum, sumSquares, count);
    double squaredDeviations = 0;
    for (const double x : entry.values) {
        const double d = x - s.mean;
        squaredDeviations += d * d;
    }
    s.variance = squaredDeviations / (count - 1);
    s.sd = std::sqrt(s.variance);
    return s;
}

bool constant(std::span<const double> values) {
    for (std::size_t k = 1; k < values.size(); ++k) {
        if (values[k] != values[0]) return false;
    }
    return true;
}

AnalysisOfVariance analysisOfVariance(const std::vector<TreatmentStatistics>& treatments,
                                      const std::vector<std::span<const double>>& values) {
    const int count = static_cast<int>(treatments.size());
    AnalysisOfVariance anova;
    double sumOfMeans = 0;
    for (const TreatmentStatistics& t : treatments) sumOfMeans += t.mean;
    anova.grandMean = sumOfMeans / count;
    for (const TreatmentStatistics& t : treatments) {
        const double d = t.mean - anova.grandMean;
        anova.ssBetween += t.sampleSize * (d * d);
        anova.ssWithin += (t.sampleSize - 1) * t.varianceBySums;
        anova.dfWithin += t.sampleSize - 1;
        anova.totalSampleSize += t.sampleSize;
    }
    anova.dfBetween = count - 1;
    const double meanSquareBetween = anova.ssBetween / anova.dfBetween;
    const double meanSquareWithin = anova.ssWithin / anova.dfWithin;
    // A within-groups mean square of 0, or none at all (every sample size 1),
    // leaves F undefined. Constant treatments have no variance at all,
    // whatever rounding error (even below 0) the sums formula leaves.
    bool everyConstant = true;
    for (const std::span<const double> v : values) everyConstant = everyConstant && constant(v);
    if (meanSquareWithin > 0 && !everyConstant && std::isfinite(meanSquareBetween / meanSquareWithin)) {
        anova.f = meanSquareBetween / meanSquareWithin;
    }
    return anova;
}

// The treatments in mean order, as the pairs take them.
struct RunSamples {
    std::vector<std::span<const double>> values;
    // The test's own storage of the values, or null.
    std::vector<BootstrapValues*> owned;
    // Sorted, for every treatment whose pairs are ranked from sorted samples.
    std::vector<std::optional<SampleSummary>> summaries;
};

// What each treatment's pairs need of it.
struct SampleUse {
    bool listed = false;  // in a pair of listed differences: in the order given
    bool large = false;   // in a large pair: exact sums
};

std::vector<SampleUse> sampleUses(const CartesianResult& result, const std::vector<std::pair<int, int>>& pairs,
                                  const CartesianSettings& settings) {
    std::vector<SampleUse> uses(result.treatments.size());
    for (const auto& [i, j] : pairs) {
        const bool listed = listsDifferences(result.treatments[static_cast<std::size_t>(i)],
                                             result.treatments[static_cast<std::size_t>(j)],
                                             settings.differenceListCapacity);
        for (const int t : {i, j}) {
            SampleUse& use = uses[static_cast<std::size_t>(t)];
            use.listed = use.listed || listed;
            use.large = use.large || !listed;
        }
    }
    return uses;
}

// Each treatment is sorted once for all its pairs, and shared read-only. A
// treatment only in large pairs, whose values the test owns, is sorted
// where it is: a copy would double the memory of the largest runs.
void summariseSamples(RunSamples& samples, const std::vector<SampleUse>& uses, const CartesianSettings& settings,
                      int workers) {
    // With difference files a listed pair sorts its own copies.
    const bool listedRanked = settings.differences == nullptr;
    std::vector<int> summarised;
    for (std::size_t t = 0; t < uses.size(); ++t) {
        if (uses[t].large || (uses[t].listed && listedRanked)) summarised.push_back(static_cast<int>(t));
    }
    samples.summaries.resize(uses.size());
    JobRun summarising;
    summarising.jobCount = static_cast<int>(summarised.size());
    summarising.workers = std::min(workers, std::max(1, summarising.jobCount));
    summarising.whileWaiting = settings.whileWaiting;
    summarising.cancel = settings.cancel;
    summarising.job = [&](int k, int, JobEvents&) {
        const auto t = static_cast<std::size_t>(summarised[static_cast<std::size_t>(k)]);
        if (samples.owned[t] != nullptr && !uses[t].listed) {
            samples.summaries[t] = summariseInPlace(std::move(*samples.owned[t]), uses[t].large);
            samples.values[t] = {};  // in another order now
        } else {
            const std::span<const double> values = samples.values[t];
            samples.summaries[t] = summariseInPlace(BootstrapValues(values.begin(), values.end()), uses[t].large);
        }
    };
    runJobs(summarising);
}

PairOutcome outcomeOf(const CartesianResult& result, int i, int j) {
    const TreatmentStatistics& first = result.treatments[static_cast<std::size_t>(i)];
    const TreatmentStatistics& second = result.treatments[static_cast<std::size_t>(j)];
    PairOutcome outcome;
    outcome.first = i;
    outcome.second = j;
    outcome.direction = directionOf(first.mean, second.mean);
    outcome.meanDifference = std::fabs(first.mean - second.mean);
    return outcome;
}

PairOutcome comparePair(const CartesianResult& result, const RunSamples& samples, const CartesianSettings& settings,
                        DifferenceRanking& ranking, int i, int j) {
    const TreatmentStatistics& first = result.treatments[static_cast<std::size_t>(i)];
    const TreatmentStatistics& second = result.treatments[static_cast<std::size_t>(j)];
    PairOutcome outcome = outcomeOf(result, i, j);
    const std::span<const double> a = samples.values[static_cast<std::size_t>(i)];
    const std::span<const double> b = samples.values[static_cast<std::size_t>(j)];
    if (!listsDifferences(first, second, settings.differenceListCapacity)) {
        outcome.result = calculateLargePair(*samples.summaries[static_cast<std::size_t>(i)],
                                            *samples.summaries[static_cast<std::size_t>(j)], outcome.direction,
                                            ranking);
        outcome.fromSums = true;
    } else if (settings.differences != nullptr) {
        std::unique_ptr<PairDifferenceWriter> files =
            settings.differences->openPair(first, second, i, j, outcome.direction.observedDiff);
        outcome.result = calculatePair(a, b, outcome.direction, files.get());
        files->close();
    } else {
        const DifferenceSums sums = sumDifferences(a.data(), first.bootstrapNumber, b.data(), second.bootstrapNumber,
                                                   outcome.direction.firstMinusSecond);
        outcome.result = calculateSummedPair(samples.summaries[static_cast<std::size_t>(i)]->sorted,
                                             samples.summaries[static_cast<std::size_t>(j)]->sorted,
                                             outcome.direction, sums, ranking);
    }
    return outcome;
}

// The sums of listed pairs of one shape, taken side by side.
std::vector<DifferenceSums> sumsTogether(const CartesianResult& result, const RunSamples& samples,
                                         const std::vector<std::pair<int, int>>& pairs, const PairJob& job) {
    std::vector<PairSamples> together;
    for (const int p : job) {
        const auto [i, j] = pairs[static_cast<std::size_t>(p)];
        together.push_back({samples.values[static_cast<std::size_t>(i)], samples.values[static_cast<std::size_t>(j)],
                            outcomeOf(result, i, j).direction.firstMinusSecond});
    }
    return sumSideBySide(together);
}

PairOutcome compareSummedPair(const CartesianResult& result, const RunSamples& samples, const DifferenceSums& sums,
                              DifferenceRanking& ranking, int i, int j) {
    PairOutcome outcome = outcomeOf(result, i, j);
    outcome.result = calculateSummedPair(samples.summaries[static_cast<std::size_t>(i)]->sorted,
                                         samples.summaries[static_cast<std::size_t>(j)]->sorted, outcome.direction,
                                         sums, ranking);
    return outcome;
}

std::vector<PairShape> pairShapes(const CartesianResult& result, const std::vector<std::pair<int, int>>& pairs,
                                  const CartesianSettings& settings) {
    std::vector<PairShape> shapes;
    for (const auto& [i, j] : pairs) {
        const TreatmentStatistics& first = result.treatments[static_cast<std::size_t>(i)];
        const TreatmentStatistics& second = result.treatments[static_cast<std::size_t>(j)];
        shapes.push_back({first.bootstrapNumber, second.bootstrapNumber,
                          listsDifferences(first, second, settings.differenceListCapacity)});
    }
    return shapes;
}

// Each pair keeps the order of its own sums, so the result is the same
// whichever thread did which pair, and with whichever others. Difference
// files are written by one worker, pair after pair, in the order of the pairs.
void comparePairs(CartesianResult& result, RunSamples& samples, const CartesianSettings& settings) {
    const int count = result.treatmentCount();
    const int pairCount = count * (count - 1) / 2;
    if (settings.differences != nullptr) settings.differences->beginRun(result.treatments);
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < count - 1; ++i) {
        for (int j = i + 1; j < count; ++j) pairs.emplace_back(i, j);
    }
    const int workers = settings.differences != nullptr ? 1 : std::max(1, settings.threads);
    summariseSamples(samples, sampleUses(result, pairs, settings), settings, workers);

    const std::vector<PairShape> shapes = pairShapes(result, pairs, settings);
    const std::vector<PairJob> jobs = planPairJobs(shapes, settings.differences == nullptr);
    std::vector<DifferenceRanking> rankings(static_cast<std::size_t>(workers));
    std::vector<PairOutcome> outcomes(pairs.size());
    int begun = 0;
    int done = 0;
    JobRun comparing;
    comparing.jobCount = static_cast<int>(jobs.size());
    comparing.workers = workers;
    comparing.whileWaiting = settings.whileWaiting;
    comparing.cancel = settings.cancel;
    const auto deliver = [&](const PairProgress& event) {
        PairProgress numbered = event;
        if (event.stage == PairProgress::Stage::Begun) numbered.pairNumber = ++begun;
        if (event.stage == PairProgress::Stage::Sorting) numbered.pairNumber = begun;
        if (event.stage == PairProgress::Stage::Done) numbered.pairNumber = ++done;
        if (settings.progress) settings.progress(numbered);
    };
    comparing.job = [&](int k, int worker, JobEvents& events) {
        const PairJob& job = jobs[static_cast<std::size_t>(k)];
        DifferenceRanking& ranking = rankings[static_cast<std::size_t>(worker)];
        // A group's sums are taken once its first pair is begun; then pair
        // after pair is begun, ranked and done, as when each goes alone.
        std::vector<DifferenceSums> sums;
        for (std::size_t q = 0; q < job.size(); ++q) {
            const auto p = static_cast<std::size_t>(job[q]);
            const auto [i, j] = pairs[p];
            // Plain copies: a lambda cannot capture a structured binding everywhere.
            const int first = i, second = j;
            events.post([&deliver, first, second, pairCount] {
                deliver({PairProgress::Stage::Begun, first, second, 0, pairCount});
            });
            if (job.size() == 1) {
                outcomes[p] = comparePair(result, samples, settings, ranking, i, j);
            } else {
                if (q == 0) sums = sumsTogether(result, samples, pairs, job);
                outcomes[p] = compareSummedPair(result, samples, sums[q], ranking, i, j);
            }
            events.post([&deliver, first, second, pairCount] {
                deliver({PairProgress::Stage::Sorting, first, second, 0, pairCount});
                deliver({PairProgress::Stage::Done, first, second, 0, pairCount});
            });
        }
    };
    runJobs(comparing);
    result.pairs = std::move(outcomes);
    for (const PairOutcome& pair : result.pairs) result.momentsFromSums = result.momentsFromSums || pair.fromSums;
}

}  // namespace

std::string treatmentCountComplaint(std::size_t given) {
    return "The Cartesian paired test takes 2 to " + std::to_string(TreatmentCapacity) + " treatments; " +
           std::to_string(given) + (given == 1 ? " was given." : " were given.");
}

std::vector<int> meanOrder(std::span<const double> orderingMeans, bool reversed) {
    std::vector<double> means(orderingMeans.begin(), orderingMeans.end());
    const std::size_t count = means.size();
    std::vector<int> order(count);
    for (std::size_t t = 0; t < count; ++t) order[t] = static_cast<int>(t);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        for (std::size_t j = i + 1; j < count; ++j) {
            if (reversed ? means[i] > means[j] : means[i] < means[j]) {
                std::swap(means[i], means[j]);
                std::swap(order[i], order[j]);
            }
        }
    }
    return order;
}

int pairIndex(int i, int j, int treatmentCount) {
    // Pairs (0, 1) .. (0, n-1) come first, then (1, 2) .. and so on.
    return i * treatmentCount - i * (i + 1) / 2 + (j - i - 1);
}

const PairOutcome& CartesianResult::pair(int i, int j) const {
    return pairs.at(static_cast<std::size_t>(pairIndex(i, j, treatmentCount())));
}

bool listsDifferences(const TreatmentStatistics& first, const TreatmentStatistics& second,
                      std::int64_t differenceListCapacity) {
    return static_cast<double>(first.bootstrapNumber) * static_cast<double>(second.bootstrapNumber) <=
           static_cast<double>(differenceListCapacity);
}

namespace {

CartesianResult runPrepared(std::vector<Prepared> prepared, const CartesianSettings& settings) {
    const int count = static_cast<int>(prepared.size());
    std::vector<double> orderingMeans;
    for (const Prepared& entry : prepared) orderingMeans.push_back(orderingMean(entry));
    const std::vector<int> order = meanOrder(orderingMeans, settings.reversed);

    CartesianResult result;
    result.reversed = settings.reversed;
    result.parameterCode = prepared.back().treatment->code;
    const auto pairCount = static_cast<std::int16_t>(count * (count - 1) / 2);
    result.sidakAlpha = 1 - std::pow(0.95, 1.0 / pairCount);

    // A treatment's values in mean order.
    RunSamples samples;
    for (int p = 0; p < count; ++p) {
        const int entry = order[static_cast<std::size_t>(p)];
        Prepared& prepared_entry = prepared[static_cast<std::size_t>(entry)];
        samples.values.push_back(prepared_entry.values);
        samples.owned.push_back(prepared_entry.owned.empty() ? nullptr : &prepared_entry.owned);
        result.treatments.push_back(statisticsOf(prepared_entry, entry, orderingMeans[static_cast<std::size_t>(entry)]));
    }
    result.anova = analysisOfVariance(result.treatments, samples.values);

    try {
        comparePairs(result, samples, settings);
    } catch (...) {
        if (settings.differences != nullptr) settings.differences->discardAll();
        throw;
    }
    std::vector<bool> significant;
    for (const PairOutcome& pair : result.pairs) significant.push_back(isSignificant(pair.result.pValue));
    result.letters = letterTreatments(count, significant);
    return result;
}

}  // namespace

CartesianResult runCartesianTest(std::span<const Treatment> treatments, const CartesianSettings& settings) {
    return runPrepared(prepare(treatments, {}, settings.transformation), settings);
}

CartesianResult runCartesianTest(std::vector<Treatment>&& treatments, const CartesianSettings& settings) {
    return runPrepared(prepare(treatments, treatments, settings.transformation), settings);
}

}  // namespace cpt
