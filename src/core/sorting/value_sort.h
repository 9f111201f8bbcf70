#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/sorting/value_sort_exchange.h"

namespace cpt {

// The program's one sort: a mean-split bucket distribution of up to ten levels, each
// result bucket finished by an exchange pass. Equal values end in the order that
// procedure gives them (callers show it through the tags), so the result is fixed
// position by position; only the way it is computed is quick.
//
// One sorter is meant to live as long as the program: its work areas grow to the
// largest count seen and are reused, so a call allocates nothing once warmed up.
class ValueSorter {
public:
    // Sorts values[0..n) into sortedValues[0..n) ascending in exactly the order of the
    // mean-split bucket distribution with its exchange pass (ties included), moving each tag
    // with its value. tags may be empty (then sortedTags is ignored and may be empty): the
    // difference engine sorts without tags. n >= 1. Input spans are not changed; output spans
    // must not alias the inputs. Work areas grow to the largest n seen and are reused.
    // A NaN gets no meaningful place (callers reject them before sorting). Throws
    // std::invalid_argument on an empty input, a tag count other than n, or outputs
    // shorter than n.
    void sort(std::span<const double> values, std::span<const std::int32_t> tags,
              std::span<double> sortedValues, std::span<std::int32_t> sortedTags);

    // The same result, with the input's own memory as the work area (its
    // contents are lost): a large sort then needs no work areas of its own.
    void sortConsumingInput(std::span<double> values, std::span<std::int32_t> tags,
                            std::span<double> sortedValues, std::span<std::int32_t> sortedTags);

    static constexpr int MaxLevels = 10;
    static constexpr int BucketCap = 1 << MaxLevels;

private:
    struct Area {
        double* values;
        std::int32_t* tags;  // null when sorting without tags
    };
    struct Bucket {
        std::size_t start;  // first position
        std::size_t end;    // one past the last position
        double sum;         // of its values in the order they were placed
    };

    void run(std::span<const double> values, std::span<const std::int32_t> tags, std::span<double> sortedValues,
             std::span<std::int32_t> sortedTags, double* workValues, std::int32_t* workTags);
    void reserveOrder(std::size_t n);
    bool splitLevel(int level, const double* fromValues, const std::int32_t* fromTags, Area to);
    void finishBucket(Area result, Area sorted, const Bucket& bucket);
    void orderLevelOne(Area sorted, std::size_t n);
    void gather(Area from, Area to, std::size_t start, std::size_t count);

    // A level only ever overwrites the level before last, so the output and one work area
    // take turns: odd levels live in the output, even levels here.
    std::vector<double> workValues_;
    std::vector<std::int32_t> workTags_;
    // The work area of the sort in progress: the vectors above, or the input.
    double* work_ = nullptr;
    std::int32_t* workTagsInUse_ = nullptr;
    // buckets_[L] holds the 2^L buckets of level L; level 0 is the whole input.
    std::array<std::vector<Bucket>, MaxLevels + 1> buckets_;
    ExchangePassOrder exchange_;
    std::vector<std::uint32_t> order_;
};

}  // namespace cpt
