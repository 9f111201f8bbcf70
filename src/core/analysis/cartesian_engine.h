#pragma once
// The Cartesian paired test as one call: treatments in, a result out. It asks
// nothing, draws nothing, and writes no file but the sink's.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/analysis/cartesian_result.h"
#include "core/analysis/treatment.h"

namespace cpt {

// Where the differences of the listed pairs go, when they are asked for.
class PairDifferenceWriter {
public:
    virtual ~PairDifferenceWriter() = default;
    // Difference number n (Cartesian order, from 1) with its verdict.
    virtual void write(std::int32_t n, double difference, bool significant) = 0;
    // Throws UserError when the files could not be written completely; a
    // writer destroyed without close() removes what it wrote.
    virtual void close() = 0;
};

class DifferenceSink {
public:
    virtual ~DifferenceSink() = default;
    // Before the first pair, with every treatment in mean order.
    virtual void beginRun(std::span<const TreatmentStatistics> treatments) = 0;
    // The writer of pair (first, second) (0-based, mean order).
    virtual std::unique_ptr<PairDifferenceWriter> openPair(const TreatmentStatistics& first,
                                                           const TreatmentStatistics& second, int firstPlace,
                                                           int secondPlace, double observedDiff) = 0;
    // The run ended without its result: every file written goes again. The
    // test does this when it fails; a caller whose later steps fail calls it.
    virtual void discardAll() noexcept = 0;
};

// Where a run is: a pair begun, its ranking begun ("Sorting"), or done.
struct PairProgress {
    enum class Stage { Begun, Sorting, Done };
    Stage stage = Stage::Begun;
    int first = 0;  // 0-based places in mean order
    int second = 0;
    int pairNumber = 0;  // pairs begun (Begun) or done (Done) so far, this one too
    int pairCount = 0;
};

struct CartesianSettings {
    bool reversed = false;
    cpt::Transformation transformation = cpt::Transformation::None;
    // Null: no difference files.
    DifferenceSink* differences = nullptr;
    // Pairs with more differences are judged from sorted samples and exact sums.
    std::int64_t differenceListCapacity = ValueCapacity;
    std::function<void(const PairProgress&)> progress;
    // Set from any thread to stop the run: it then throws Cancelled.
    const std::atomic<bool>* cancel = nullptr;
    // Worker threads for the pairs (1: the calling thread alone, unless
    // whileWaiting is set). Difference files are written by one.
    int threads = 1;
    // Called on the calling thread now and then while workers compute, so
    // that a window can keep answering; the work then runs on workers.
    std::function<void()> whileWaiting;
};

// Throws UserError for treatments the test cannot take (fewer than 2 or more
// than TreatmentCapacity, fewer than 2 values, values outside the
// transformation's range), Cancelled when cancelled; the sink's files are
// then gone.
CartesianResult runCartesianTest(std::span<const Treatment> treatments, const CartesianSettings& settings);
// The same for treatments the caller gives up: the test takes their values
// and may sort them where they are, which saves a copy of the largest.
CartesianResult runCartesianTest(std::vector<Treatment>&& treatments, const CartesianSettings& settings);

// Why a run of this many treatments cannot be made.
std::string treatmentCountComplaint(std::size_t given);

// The entry places in mean order (descending; reversed: ascending), by the
// exchange sort the report's order has always come from, ties and all.
std::vector<int> meanOrder(std::span<const double> orderingMeans, bool reversed);

// Whether pair (first, second) has its differences listed under the capacity.
bool listsDifferences(const TreatmentStatistics& first, const TreatmentStatistics& second,
                      std::int64_t differenceListCapacity);

}  // namespace cpt
