#pragma once
// What the main window shows and asks, and the sort-and-count's working
// record; a run's figures are in its CartesianResult. Treatments are numbered
// 1 to 26 (slot 0 unused), and the value arrays hold positions 1 to n
// (position 0 unused). The value arrays grow to what a run needs and are then
// reused; the capacities are limits that the input is checked against, not
// allocations.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/analysis/transformation.h"
#include "core/common/capacities.h"
#include "core/common/date_time.h"
#include "core/common/large_block.h"

namespace cpt {

inline constexpr int SayingSlots = 105;

template <typename T>
using TreatmentArray = std::array<T, TreatmentCapacity + 1>;

// A value array with positions 0..n; grows, and shrinks only when released.
template <typename T>
class ValueArray {
public:
    // Makes positions 1..count usable, keeping what is there.
    void ensure(std::int32_t count) {
        if (static_cast<std::size_t>(count) + 1 > values_.size()) values_.resize(static_cast<std::size_t>(count) + 1);
    }
    T& operator[](std::int32_t position) { return values_[static_cast<std::size_t>(position)]; }
    const T& operator[](std::int32_t position) const { return values_[static_cast<std::size_t>(position)]; }
    // Positions 1..count as a contiguous range.
    T* from1() { return values_.data() + 1; }
    const T* from1() const { return values_.data() + 1; }
    std::int32_t size() const { return values_.empty() ? 0 : static_cast<std::int32_t>(values_.size()) - 1; }
    // Stores at a position up to one past the last, growing like a vector
    // (for values read one by one, without clearing room ahead of them).
    void store(std::int32_t position, T value) {
        const auto at = static_cast<std::size_t>(position);
        if (values_.empty()) values_.push_back(T{});
        if (at < values_.size()) {
            values_[at] = value;
        } else {
            values_.push_back(value);
        }
    }
    // Positions 1..values.size() become these values, in room of just that size.
    void assign(std::span<const T> values) {
        release();
        values_.reserve(values.size() + 1);
        values_.push_back(T{});
        values_.insert(values_.end(), values.begin(), values.end());
    }
    // Room for positions 1..count without moving, for a count known ahead.
    void reserve(std::int32_t count) { values_.reserve(static_cast<std::size_t>(count) + 1); }
    // Gives the memory back, for an array whose contents are no longer needed.
    void release() { std::vector<T, LargeBlockAllocator<T>>().swap(values_); }

private:
    std::vector<T, LargeBlockAllocator<T>> values_;
};

struct AnalysisState {
    // Edition constants, set at start-up.
    double MaxBootstrapNumber = 0;
    double MaxCartesianProducts = 0;
    std::int16_t StatedMaxTreatments = 0;
    std::string EditionLabel;
    std::string VersionText;
    std::string EditionSummary;

    bool MaintainerMode = false;

    // Run settings and flags.
    std::int16_t TreatmentCount = 0;
    cpt::Transformation Transformation = Transformation::None;
    bool CartesianRun = false;
    bool DetailInfoDeclined = false;
    bool FlowRecord = false;
    std::string FlowFileName;
    bool DetailedDifferences = false;
    // The " (n)" every difference file of the run carries (1: none).
    std::int32_t DifferenceFileNumber = 1;
    bool ReversedSort = false;
    std::string OutputPrefix;

    // Progress and timing.
    std::string StartStamp;
    DateTime StartTime;
    std::string StatusText;

    // The files chosen, per treatment in the order entered.
    TreatmentArray<std::string> TreatmentFile{};
    // The heading of the data file sorted and counted (slot 1).
    TreatmentArray<std::string> TreatmentName{};
    TreatmentArray<std::int32_t> SampleSize{};
    TreatmentArray<std::int32_t> BootstrapNumber{};
    TreatmentArray<double> PointEstimate{};

    // Value arrays.
    ValueArray<double> PairDiff;
    ValueArray<double> SortValues;
    std::int32_t SortCount = 0;
    ValueArray<double> SortedValues;
    ValueArray<std::int32_t> SortTags;
    ValueArray<std::int32_t> SortedTags;
    bool SortAndCountRun = false;

    // Report.
    std::string LastTreatmentCode;
    int TableNumber = 0;
    std::string OutputFileName;
    std::string ProjectName;

    // Sort-and-count.
    std::string DataKind;
    bool SerialNumbers = false;
    std::string DataPath;
    std::string SampleSizeOrMean;
    double DataTotal = 0;
    double DataMean = 0;
    double DecimalLimit = 0;
    ValueArray<double> ClassValue;
    ValueArray<double> ClassCount;
    std::int32_t ClassTotal = 0;

    // Main window.
    DateTime StartupTime;
    bool StartupRevealPending = false;
    std::array<std::string, SayingSlots> Sayings{};
    std::int32_t GreetingCounter = 0;
};

}  // namespace cpt
