#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <cmath>
#include <numeric>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/analysis/cartesian_run.h"
#include "core/analysis/cartesian_engine.h"
#include "core/analysis/large_pair.h"
#include "core/analysis/pair_calculation.h"
#include "core/report/difference_files.h"
#include "core/common/clock.h"
#include "core/common/date_time.h"
#include "core/common/user_error.h"
#include "core/report/reported_test.h"
#include "core/report/standalone_report.h"
#include "support/cartesian_run.h"
#include "support/test_files.h"

namespace cpt::testing {
namespace {

Treatment inMemory(const std::string& name, std::vector<double> values, std::int32_t n, double estimate) {
    Treatment treatment;
    treatment.name = name;
    treatment.code = "r";
    treatment.sampleSize = n;
    treatment.estimate = estimate;
    treatment.values.assign(values.begin(), values.end());
    return treatment;
}

// The same values as files through the window's flow and as vectors through
// the one call: every figure the same double.
TEST(CartesianTest, TreatmentsBuiltInMemoryGiveTheNumbersOfTheSameValuesInFiles) {
    CartesianRun run;
    run.script({fixture("kale_2_6.txt"), fixture("cabbage_1_5.txt"), fixture("kale_3_5.txt")});
    run.run();
    ASSERT_FALSE(run.stopMessage());
    const cpt::CartesianRun& fromFiles = *run.context.cartesianRun;

    std::vector<Treatment> treatments;
    for (const Treatment& read : fromFiles.treatments) {
        treatments.push_back(inMemory(read.name, {read.values.begin(), read.values.end()}, read.sampleSize,
                                      read.estimate));
        treatments.back().code = read.code;
        treatments.back().source = read.source;
    }
    const CartesianResult result = runCartesianTest(treatments, {});
    const CartesianResult& expected = *fromFiles.result;
    EXPECT_EQ(result.treatments, expected.treatments);
    ASSERT_EQ(result.pairs.size(), expected.pairs.size());
    for (std::size_t k = 0; k < result.pairs.size(); ++k) {
        EXPECT_EQ(result.pairs[k].result, expected.pairs[k].result) << "pair " << k;
        EXPECT_EQ(result.pairs[k].meanDifference, expected.pairs[k].meanDifference);
    }
    EXPECT_EQ(result.anova.f, expected.anova.f);
    EXPECT_EQ(result.sidakAlpha, expected.sidakAlpha);
    EXPECT_EQ(result.letters.labels, expected.letters.labels);
    EXPECT_EQ(result.parameterCode, expected.parameterCode);
}

TEST(CartesianTest, OrdersByMeanReportsProgressAndRefusesWhatItCannotTake) {
    const std::vector<Treatment> treatments{inMemory("Low", {1, 2, 3}, 10, 2), inMemory("High", {5, 6, 8}, 10, 6),
                                            inMemory("Mid", {3, 4, 4}, 10, 4)};
    std::vector<std::string> seen;
    CartesianSettings settings;
    settings.progress = [&](const PairProgress& p) {
        if (p.stage == PairProgress::Stage::Done) {
            seen.push_back(std::to_string(p.first) + std::to_string(p.second) + "/" + std::to_string(p.pairNumber) +
                           "of" + std::to_string(p.pairCount));
        }
    };
    const CartesianResult result = runCartesianTest(treatments, settings);
    EXPECT_EQ(result.treatments[0].name, "High");
    EXPECT_EQ(result.treatments[2].entry, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"01/1of3", "02/2of3", "12/3of3"}));
    settings.reversed = true;
    EXPECT_EQ(runCartesianTest(treatments, settings).treatments[0].name, "Low");

    std::atomic<bool> cancel{true};
    settings.cancel = &cancel;
    EXPECT_THROW(runCartesianTest(treatments, settings), Cancelled);

    const struct {
        const char* what;
        std::vector<Treatment> treatments;
        const char* message;
        Transformation transformation = Transformation::None;
    } refused[] = {
        {"one treatment", {treatments[0]}, "takes 2 to 26 treatments; 1 was given."},
        {"one value", {treatments[0], inMemory("One", {1}, 10, 1)},
         "Treatment 2 (\"One\") has 1 bootstrap values; at least 2 are needed"},
        {"sample size 0", {treatments[0], inMemory("None", {1, 2}, 0, 1)},
         "Treatment 2 (\"None\") has the sample size 0, but a sample size must be at least 1"},
        {"a value outside the transformation's range",
         {inMemory("Fine", {0.2, 0.3}, 10, 1), inMemory("Odd", {0.5, 1.5}, 10, 1)},
         "Treatment 2 (\"Odd\"): bootstrap value 2 is 1.5, but ",
         Transformation::Logit},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.what);
        CartesianSettings settings;
        settings.transformation = c.transformation;
        try {
            runCartesianTest(c.treatments, settings);
            ADD_FAILURE() << "not refused";
        } catch (const UserError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

// Random treatments of different sizes, some pairs beyond the listed
// capacity, so both routes and the shared sorted copies are in play.
std::vector<Treatment> mixedTreatments(int count, std::size_t size = 40) {
    std::mt19937_64 generator(20261210);
    std::normal_distribution<double> noise(0, 0.02);
    std::vector<Treatment> treatments;
    for (int t = 0; t < count; ++t) {
        std::vector<double> values(size + static_cast<std::size_t>(13 * t));
        for (double& v : values) v = std::nearbyint((0.2 + 0.004 * (t % 5) + noise(generator)) * 1e5) / 1e5;
        treatments.push_back(inMemory("T" + std::to_string(t + 1), values, 10 + t, 0.2));
    }
    return treatments;
}

std::string reportOf(const CartesianResult& result, const TempFolder& folder) {
    FixedClock clock(*parseDateTime("2026-12-10 08:00:00"));
    CartesianRequest request;
    request.folder = folder.path();
    RunPorts ports;
    ports.clock = &clock;
    const std::filesystem::path path = writeRunReport(result, request, ports, beginRun(clock));
    return readFile(path);
}

TEST(CartesianTest, AnyNumberOfThreadsGivesTheSameResultAndReport) {
    const std::vector<Treatment> treatments = mixedTreatments(9);
    CartesianSettings settings;
    settings.differenceListCapacity = 4000;  // pairs of the larger samples go by their sorted copies
    const CartesianResult alone = runCartesianTest(treatments, settings);
    ASSERT_TRUE(alone.momentsFromSums);
    TempFolder first;
    const std::string report = reportOf(alone, first);
    for (const int threads : {2, 3, 8}) {
        SCOPED_TRACE(::testing::Message() << threads << " threads");
        settings.threads = threads;
        std::vector<int> done;
        int waits = 0;
        settings.progress = [&](const PairProgress& p) {
            if (p.stage == PairProgress::Stage::Done) done.push_back(p.pairNumber);
        };
        settings.whileWaiting = [&] { ++waits; };
        const CartesianResult result = runCartesianTest(treatments, settings);
        EXPECT_EQ(result.treatments, alone.treatments);
        ASSERT_EQ(result.pairs.size(), alone.pairs.size());
        for (std::size_t k = 0; k < result.pairs.size(); ++k) {
            EXPECT_EQ(result.pairs[k].result, alone.pairs[k].result) << "pair " << k;
            EXPECT_EQ(result.pairs[k].first, alone.pairs[k].first);
            EXPECT_EQ(result.pairs[k].second, alone.pairs[k].second);
        }
        EXPECT_EQ(result.letters.labels, alone.letters.labels);
        TempFolder folder;
        EXPECT_EQ(reportOf(result, folder), report);
        // Pair by pair, counted as they finish, on the calling thread.
        std::vector<int> expected(36);
        std::iota(expected.begin(), expected.end(), 1);
        EXPECT_EQ(done, expected);
        EXPECT_GT(waits, 0);
    }
}

// Seven treatments of one size, whose pairs are summed side by side, and one
// larger, whose pairs go by sorted samples alone (and whose values, given up,
// are sorted where they are).
std::vector<Treatment> treatmentsOfOneSize() {
    std::vector<Treatment> treatments = mixedTreatments(8, 120);
    for (std::size_t t = 0; t < 7; ++t) treatments[t].values.resize(50);
    treatments[7].values.resize(120);
    return treatments;
}

TEST(CartesianTest, PairsSummedTogetherOrGivenUpGiveEachPairItsOwnResult) {
    const std::vector<Treatment> treatments = treatmentsOfOneSize();
    for (const bool reversed : {false, true}) {
        for (const int threads : {1, 2}) {
            SCOPED_TRACE(::testing::Message() << "reversed " << reversed << ", " << threads << " threads");
            CartesianSettings settings;
            settings.reversed = reversed;
            settings.threads = threads;
            settings.differenceListCapacity = 5000;
            const CartesianResult result = runCartesianTest(treatments, settings);
            ASSERT_EQ(result.pairs.size(), 28u);
            for (const PairOutcome& pair : result.pairs) {
                SCOPED_TRACE(::testing::Message() << "pair " << pair.first << ", " << pair.second);
                const auto& a = treatments[static_cast<std::size_t>(result.treatments[pair.first].entry)].values;
                const auto& b = treatments[static_cast<std::size_t>(result.treatments[pair.second].entry)].values;
                ASSERT_EQ(pair.fromSums, static_cast<std::int64_t>(a.size() * b.size()) > settings.differenceListCapacity);
                DifferenceRanking ranking;
                const PairResult alone = pair.fromSums
                                             ? calculateLargePair(summarise(a), summarise(b), pair.direction, ranking)
                                             : calculatePair(a, b, pair.direction);
                EXPECT_EQ(pair.result, alone);
            }
            // Given up, transformed by the test or not.
            for (const Transformation transformation : {Transformation::None, Transformation::Logit}) {
                settings.transformation = transformation;
                const CartesianResult borrowed = runCartesianTest(treatments, settings);
                std::vector<Treatment> givenUp = treatments;
                const CartesianResult fromGivenUp = runCartesianTest(std::move(givenUp), settings);
                EXPECT_EQ(fromGivenUp.treatments, borrowed.treatments);
                ASSERT_EQ(fromGivenUp.pairs.size(), borrowed.pairs.size());
                for (std::size_t k = 0; k < borrowed.pairs.size(); ++k) {
                    EXPECT_EQ(fromGivenUp.pairs[k].result, borrowed.pairs[k].result) << "pair " << k;
                }
                EXPECT_EQ(fromGivenUp.letters.labels, borrowed.letters.labels);
            }
        }
    }
}

// Records which pairs it was asked for, and from which threads.
class RecordingSink : public DifferenceSink {
public:
    struct Writer : PairDifferenceWriter {
        void write(std::int32_t, double, bool) override {}
        void close() override {}
    };
    void beginRun(std::span<const TreatmentStatistics>) override {}
    std::unique_ptr<PairDifferenceWriter> openPair(const TreatmentStatistics&, const TreatmentStatistics&, int first,
                                                   int second, double) override {
        std::lock_guard lock(mutex);
        pairs.emplace_back(first, second);
        threads.push_back(std::this_thread::get_id());
        return std::make_unique<Writer>();
    }
    void discardAll() noexcept override {}

    std::mutex mutex;
    std::vector<std::pair<int, int>> pairs;
    std::vector<std::thread::id> threads;
};

// The files are written one after another: with any number of threads the
// pairs reach the sink in Cartesian order, all from one thread, also while
// the calling thread waits for the workers (as a window does).
TEST(CartesianTest, DifferenceFilesArePairAfterPairOnOneThread) {
    const int count = 12;
    const std::vector<Treatment> treatments = mixedTreatments(count, 400);
    for (const auto [threads, waiting] : {std::pair{1, false}, {4, false}, {1, true}, {4, true}}) {
        SCOPED_TRACE(::testing::Message() << threads << " threads, waiting " << waiting);
        RecordingSink sink;
        CartesianSettings settings;
        settings.threads = threads;
        settings.differences = &sink;
        if (waiting) settings.whileWaiting = [] {};
        runCartesianTest(treatments, settings);
        std::vector<std::pair<int, int>> cartesianOrder;
        for (int i = 0; i < count; ++i) {
            for (int j = i + 1; j < count; ++j) cartesianOrder.emplace_back(i, j);
        }
        EXPECT_EQ(sink.pairs, cartesianOrder);
        ASSERT_FALSE(sink.threads.empty());
        for (const std::thread::id& id : sink.threads) EXPECT_EQ(id, sink.threads.front());
    }
}

// The real difference files, but the files of one pair cannot be written
// completely: their writer fails after they were closed.
class FailingFiles : public DifferenceSink {
public:
    FailingFiles(const std::filesystem::path& folder, int failingPair)
        : files_(folder, "25A-Cartesian diff"), failingPair_(failingPair) {}
    void beginRun(std::span<const TreatmentStatistics> treatments) override { files_.beginRun(treatments); }
    std::unique_ptr<PairDifferenceWriter> openPair(const TreatmentStatistics& first, const TreatmentStatistics& second,
                                                   int firstPlace, int secondPlace, double observedDiff) override {
        auto writer = std::make_unique<Writer>();
        writer->files = files_.openPair(first, second, firstPlace, secondPlace, observedDiff);
        writer->fails = opened++ == failingPair_;
        return writer;
    }
    void discardAll() noexcept override {
        ++discarded;
        files_.discardAll();
    }

    int opened = 0;
    int discarded = 0;

private:
    struct Writer : PairDifferenceWriter {
        std::unique_ptr<PairDifferenceWriter> files;
        bool fails = false;
        void write(std::int32_t n, double difference, bool significant) override {
            files->write(n, difference, significant);
        }
        void close() override {
            files->close();
            if (fails) throw UserError("The disk is full.");
        }
    };
    DifferenceFileSet files_;
    int failingPair_;
};

// A pair whose files fail, first or last, ends the run with that failure and
// leaves no difference file of the run behind, however the pairs are run.
TEST(CartesianTest, APairThatFailsEndsTheRunWithItsFailureAndNoFiles) {
    const std::vector<Treatment> treatments = mixedTreatments(4);
    constexpr int PairCount = 6;
    for (const int threads : {1, 3}) {
        for (const bool waiting : {false, true}) {
            for (const int failing : {0, PairCount - 1}) {
                SCOPED_TRACE(::testing::Message() << threads << " threads, waiting " << waiting << ", pair "
                                                  << failing);
                TempFolder folder;
                FailingFiles files(folder.path(), failing);
                CartesianSettings settings;
                settings.threads = threads;
                settings.differences = &files;
                if (waiting) settings.whileWaiting = [] {};
                try {
                    runCartesianTest(treatments, settings);
                    ADD_FAILURE() << "the run ended as if every pair were done";
                } catch (const UserError& error) {
                    EXPECT_EQ(std::string(error.what()), "The disk is full.");
                }
                EXPECT_EQ(files.opened, failing + 1) << "pairs were begun after the failure";
                EXPECT_EQ(files.discarded, 1);
                EXPECT_EQ(folder.files(), std::vector<std::string>{});
            }
        }
    }
}

TEST(CartesianTest, CancelOrFailureOnAnyThreadStopsTheRun) {
    // Pairs of millions of differences: the run is still going when it is cancelled.
    const std::vector<Treatment> treatments = mixedTreatments(12, 2000);
    for (const int threads : {1, 2, 8}) {
        SCOPED_TRACE(::testing::Message() << threads << " threads");
        std::atomic<bool> cancel{false};
        CartesianSettings settings;
        settings.threads = threads;
        settings.cancel = &cancel;
        int begun = 0;
        settings.progress = [&](const PairProgress& p) {
            if (p.stage == PairProgress::Stage::Begun && ++begun == 3) cancel = true;
        };
        EXPECT_THROW(runCartesianTest(treatments, settings), Cancelled);
        EXPECT_LT(begun, 66);
        // A failure told back by the caller's own callback ends the run with it.
        settings.cancel = nullptr;
        settings.progress = [](const PairProgress& p) {
            if (p.pairNumber == 2) throw UserError("the record cannot be written");
        };
        EXPECT_THROW(runCartesianTest(treatments, settings), UserError);
    }
}

}  // namespace
}  // namespace cpt::testing
