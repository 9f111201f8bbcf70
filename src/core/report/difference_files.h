#pragma once
// The six files that list every Cartesian difference of one pair. They are
// written through large buffers of our own: a pair of B = 3000 gives
// 36,000,000 lines.
#include <array>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/analysis/cartesian_engine.h"
#include "core/common/pending_file.h"

namespace cpt {

// The names of the six files of pair (first, second) (1-based places in mean
// order), "_5-" first, in the order of their tags, with the run's " (n)".
std::array<std::string, 6> differenceFileNames(const std::string& prefix, const std::string& firstCode, int first,
                                               int second, std::int32_t number);

// Why a run stopped, and that its difference files have gone with it.
std::string differenceFilesRemoved(std::exception_ptr failure);

// Every difference file of a run, in one folder under one " (n)".
class DifferenceFileSet : public DifferenceSink {
public:
    DifferenceFileSet(std::filesystem::path folder, std::string prefix);
    // Difference files never replace a file: takes the smallest number whose
    // names are free for every pair of the run. Throws UserError when none of
    // the first MaxNameNumber is.
    void beginRun(std::span<const TreatmentStatistics> treatments) override;
    std::unique_ptr<PairDifferenceWriter> openPair(const TreatmentStatistics& first,
                                                   const TreatmentStatistics& second, int firstPlace,
                                                   int secondPlace, double observedDiff) override;
    void discardAll() noexcept override;

    // True once a pair's files were begun.
    bool begun() const { return begun_; }
    std::int32_t number() const { return number_; }
    // The files of the pairs that finished, in pair order.
    const std::vector<std::filesystem::path>& written() const { return written_; }

private:
    friend class DifferenceFiles;
    std::filesystem::path folder_;
    std::string prefix_;
    std::int32_t number_ = 1;
    bool begun_ = false;
    std::vector<std::filesystem::path> written_;
};

class DifferenceFiles : public PairDifferenceWriter {
public:
    // Creates the six files of pair (first, second) in the set's folder and
    // writes their headers. Throws UserError naming a file that cannot be
    // created; files created before it are removed again.
    DifferenceFiles(DifferenceFileSet& set, const TreatmentStatistics& first, const TreatmentStatistics& second,
                    int firstPlace, int secondPlace, double observedDiff);
    DifferenceFiles(const DifferenceFiles&) = delete;
    DifferenceFiles& operator=(const DifferenceFiles&) = delete;
    // The files are removed unless close() succeeded: half a listing is
    // worse than none.

    // Difference number n (Cartesian order) with its verdict.
    void write(std::int32_t n, double difference, bool significant) override;
    // Throws UserError naming a file that could not be written completely.
    void close() override;
    std::vector<std::filesystem::path> paths() const;

private:
    enum FileIndex { All, ToObserved, SigA, SigB, InsigA, InsigB, FileCount };
    struct Sink {
        PendingFile file;
        std::unique_ptr<char[]> buffer;
        std::size_t used = 0;
    };

    void writeHeaders(const TreatmentStatistics& first, const TreatmentStatistics& second);
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

    DifferenceFileSet& set_;
    std::array<Sink, FileCount> sinks_;
    double observedDiff_;
    DecimalCounter number_;
    DecimalCounter significantCount_;
    DecimalCounter insignificantCount_;
};

}  // namespace cpt
