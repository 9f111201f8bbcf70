#pragma once
// The six files that list every Cartesian difference of one pair. They are
// written through large buffers of our own: a pair of B = 3000 gives
// 36,000,000 lines.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/common/pending_file.h"

namespace cpt {

struct AnalysisState;

// The names of the six files of pair (first, second), "_5-" first, in the
// order of their tags, with the run's " (n)" (DifferenceFileNumber).
std::array<std::string, 6> differenceFileNames(const AnalysisState& state, int first, int second);

// Difference files never replace a file: sets DifferenceFileNumber to the
// smallest number whose names are free for every pair of the run. Throws
// UserError when none of the first MaxNameNumber is.
void chooseDifferenceFileNumber(AnalysisState& state, const std::filesystem::path& folder);

class DifferenceFiles {
public:
    // Creates the six files of pair (first, second) in the folder and writes
    // their headers. Throws UserError naming a file that cannot be created;
    // files created before it are removed again.
    DifferenceFiles(const AnalysisState& state, const std::filesystem::path& folder, int first, int second,
                    double observedDiff);
    DifferenceFiles(const DifferenceFiles&) = delete;
    DifferenceFiles& operator=(const DifferenceFiles&) = delete;
    // The files are removed unless close() succeeded: half a listing is
    // worse than none.

    // Difference number n (Cartesian order) with its verdict.
    void write(std::int32_t n, double difference, bool significant);
    // Throws UserError naming a file that could not be written completely.
    void close();
    std::vector<std::filesystem::path> paths() const;

private:
    enum FileIndex { All, ToObserved, SigA, SigB, InsigA, InsigB, FileCount };
    struct Sink {
        PendingFile file;
        std::unique_ptr<char[]> buffer;
        std::size_t used = 0;
    };

    void writeHeaders(const AnalysisState& state, int first, int second);
    void line(FileIndex index, const char* left, int leftLength, const char* right, int rightLength);
    void flush(Sink& sink);

    // A whole number kept as its digits: the numbers of the lines mostly go
    // up by one, and counting in text is cheaper than writing each anew.
    struct DecimalCounter {
        std::int64_t value = 0;
        char digits[20] = {'0'};  // room for the fixed-size copies of line()
        int length = 1;
        void increment();
        void set(std::int64_t newValue);
    };

    std::array<Sink, FileCount> sinks_;
    double observedDiff_;
    DecimalCounter number_;
    DecimalCounter significantCount_;
    DecimalCounter insignificantCount_;
};

}  // namespace cpt
