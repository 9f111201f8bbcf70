#include "core/report/difference_files.h"

#include <cstring>
#include <new>
#include <string>

#include "core/common/fast_record_number.h"
#include "core/common/file_name_part.h"
#include "core/common/number_format.h"
#include "core/common/record_writer.h"
#include "core/common/user_error.h"
#include "core/report/report_file_name.h"

namespace cpt {
namespace {

// Larger than OutputFile's own buffer, so that each chunk goes straight to
// the file instead of being copied once more.
constexpr std::size_t ChunkSize = std::size_t{2} << 20;
constexpr std::size_t CounterDigits = 20;
constexpr std::size_t LongestLine = CounterDigits + MaxNumberChars + 3;

struct FileDesign {
    const char* tag;
    const char* suffix;
};
// In the order of DifferenceFiles::FileIndex.
constexpr FileDesign Designs[] = {
    {"_5-", "_diff-All (for N. sort).txt"}, {"_6-", "_diff to mean diff.txt"}, {"_7-", "_diff-SigA.txt"},
    {"_9-", "_diff-SigB.txt"},              {"_10-", "_diff-inSigA.txt"},      {"_11-", "_diff-inSigB.txt"},
};

}  // namespace

std::array<std::string, 6> differenceFileNames(const std::string& prefix, const std::string& firstCode, int first,
                                               int second, std::int32_t number) {
    const std::string pair = fileNamePart(firstCode) + "-" + std::to_string(first) + " to " + std::to_string(second);
    std::array<std::string, 6> names;
    for (std::size_t index = 0; index < names.size(); ++index) {
        names[index] = numberedFileName(prefix + Designs[index].tag + pair + Designs[index].suffix, number);
    }
    return names;
}

std::string differenceFilesRemoved(std::exception_ptr failure) {
    std::string reason;
    try {
        std::rethrow_exception(failure);
    } catch (const Cancelled&) {
        reason = "The test ended without a report.";
    } catch (const std::bad_alloc&) {
        reason = "There is not enough memory for these treatments.";
    } catch (const std::exception& error) {
        reason = error.what();
    }
    return reason + "\nThe difference files of this run have been removed.";
}

DifferenceFileSet::DifferenceFileSet(std::filesystem::path folder, std::string prefix)
    : folder_(std::move(folder)), prefix_(std::move(prefix)) {}

void DifferenceFileSet::beginRun(std::span<const TreatmentStatistics> treatments) {
    const int count = static_cast<int>(treatments.size());
    for (std::int32_t number = 1; number <= MaxNameNumber; ++number) {
        bool free = true;
        for (int i = 1; i < count && free; ++i) {
            for (int j = i + 1; j <= count && free; ++j) {
                const std::string& code = treatments[static_cast<std::size_t>(i - 1)].code;
                for (const std::string& name : differenceFileNames(prefix_, code, i, j, number)) {
                    std::error_code error;
                    // A dangling link or a folder is in the way as well; a name
                    // the system refuses is left for the creation to report.
                    const auto type = std::filesystem::symlink_status(folder_ / name, error).type();
                    if (type != std::filesystem::file_type::not_found && type != std::filesystem::file_type::none) {
                        free = false;
                        break;
                    }
                }
            }
        }
        if (free) {
            number_ = number;
            return;
        }
    }
    number_ = 1;
    throw UserError("No free names were found for the difference files in \"" + folder_.string() + "\": files of " +
                    std::to_string(MaxNameNumber) + " earlier runs with the same names exist already.");
}

std::unique_ptr<PairDifferenceWriter> DifferenceFileSet::openPair(const TreatmentStatistics& first,
                                                                  const TreatmentStatistics& second, int firstPlace,
                                                                  int secondPlace, double observedDiff) {
    begun_ = true;
    return std::make_unique<DifferenceFiles>(*this, first, second, firstPlace, secondPlace, observedDiff);
}

void DifferenceFileSet::discardAll() noexcept {
    for (const std::filesystem::path& path : written_) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    written_.clear();
}

DifferenceFiles::DifferenceFiles(DifferenceFileSet& set, const TreatmentStatistics& first,
                                 const TreatmentStatistics& second, int firstPlace, int secondPlace,
                                 double observedDiff)
    : set_(set), observedDiff_(observedDiff) {
    const std::array<std::string, 6> names =
        differenceFileNames(set.prefix_, first.code, firstPlace + 1, secondPlace + 1, set.number_);
    // A failure leaves the files created so far to their own removal.
    for (FileIndex index : {All, SigA, SigB, InsigA, InsigB, ToObserved}) {
        Sink& sink = sinks_[index];
        sink.buffer = std::make_unique_for_overwrite<char[]>(ChunkSize);
        sink.file.open(set.folder_ / names[index]);
    }
    writeHeaders(first, second);
}

void DifferenceFiles::writeHeaders(const TreatmentStatistics& first, const TreatmentStatistics& second) {
    const std::string& ni = first.name;
    const std::string& nj = second.name;
    const std::string& ci = first.code;
    const std::string& cj = second.code;
    const double bi = first.bootstrapNumber;
    const double biSquared = bi * bi;
    const double products = static_cast<double>(second.bootstrapNumber) * static_cast<double>(first.bootstrapNumber);
    const std::string names = ni + " vs " + nj;
    const std::string sampleSizes = "Treatment sample sizes are " + textNumber(first.sampleSize) + " and " +
                                    textNumber(second.sampleSize);
    auto means = [&](Record& record) {
        record.text("Original means").number(first.estimate).number(second.estimate).end();
    };

    {
        Record r(sinks_[All].file.file());
        r.text(names).end();
        r.text("Next lines are the bootstrap number B, treament code, and Cartesian C").end();
        r.number(bi).end();
        r.text(ci + " vs " + cj).end();
        r.number(products).end();
        means(r);
        r.text("Cart. number").text("Cart. Difference").end();
    }
    struct SplitDesign {
        FileIndex index;
        const char* kind;
        const char* serialHeading;
        const char* valueHeading;
    };
    const SplitDesign splits[] = {
        {SigA, "sign.", "Serial no. of sig. diff.", "Sig. difference"},
        {SigB, "sign.", "Cart. prod. number", "Sig. difference"},
        {InsigA, "insign. diff.", "Serial no. of insig. diff.", "Insig. difference"},
        {InsigB, "insign. diff.", "Cart. prod. number", "Insig. difference"},
    };
    for (const SplitDesign& split : splits) {
        Record r(sinks_[split.index].file.file());
        r.text(names).end();
        r.text("Next line is effective bootstrap number (B)").end();
        r.text(textNumber(bi) + " (actual number of " + split.kind + " can be less)").end();
        r.text(ci + " vs " + cj).end();
        // The significant files say "sign. diff." here but only "sign." above.
        const std::string kindAgain = split.index == SigA || split.index == SigB ? "sign. diff." : split.kind;
        r.text(textNumber(biSquared) + " (actual number of " + kindAgain + " can be less)").end();
        r.number(products).end();
        r.text(sampleSizes).end();
        means(r);
        r.text(split.serialHeading).text(split.valueHeading).end();
    }
    {
        Record r(sinks_[ToObserved].file.file());
        r.text(names).end();
        r.text("Next line is effective bootstrap number (B)").end();
        r.number(bi).end();
        r.text(ci + cj).end();
        r.number(biSquared).end();
        r.number(products).end();
        r.number(products).end();
        r.text(sampleSizes).end();
        means(r);
        r.text("Cart. number").text("Difference to original difference").end();
    }
}

void DifferenceFiles::flush(Sink& sink) {
    sink.file.file().write(std::string_view(sink.buffer.get(), sink.used));
    sink.used = 0;
}

void DifferenceFiles::line(FileIndex index, const char* left, int leftLength, const char* right,
                           int rightLength) {
    Sink& sink = sinks_[index];
    if (sink.used + LongestLine > ChunkSize) flush(sink);
    // Whole fixed-size blocks are copied (the sources and the buffer have the
    // room); the lengths only say where the next item starts.
    char* out = sink.buffer.get() + sink.used;
    std::memcpy(out, left, CounterDigits);
    out += leftLength;
    *out++ = ',';
    std::memcpy(out, right, MaxNumberChars);
    out += rightLength;
    *out++ = '\r';
    *out++ = '\n';
    sink.used = static_cast<std::size_t>(out - sink.buffer.get());
}

void DifferenceFiles::DecimalCounter::increment() {
    ++value;
    int i = length - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i >= 0) {
        ++digits[i];
    } else {
        std::memmove(digits + 1, digits, static_cast<std::size_t>(length));
        digits[0] = '1';
        ++length;
    }
}

void DifferenceFiles::DecimalCounter::set(std::int64_t newValue) {
    value = newValue;
    std::string text = std::to_string(newValue);
    length = static_cast<int>(text.size());
    std::memcpy(digits, text.data(), text.size());
}

void DifferenceFiles::write(std::int32_t n, double difference, bool significant) {
    if (n == number_.value + 1) {
        number_.increment();
    } else {
        number_.set(n);
    }
    const char* number = number_.digits;
    const int numberLength = number_.length;
    char value[MaxNumberChars];
    const int valueLength = writeRecordNumberFast(difference, value);
    char relative[MaxNumberChars];
    const int relativeLength = writeRecordNumberFast(difference - observedDiff_, relative);
    line(All, number, numberLength, value, valueLength);
    line(ToObserved, number, numberLength, relative, relativeLength);

    if (significant) {
        significantCount_.increment();
        line(SigA, significantCount_.digits, significantCount_.length, value, valueLength);
        line(SigB, number, numberLength, value, valueLength);
    } else {
        insignificantCount_.increment();
        line(InsigA, insignificantCount_.digits, insignificantCount_.length, value, valueLength);
        line(InsigB, number, numberLength, value, valueLength);
    }
}

void DifferenceFiles::close() {
    // The six stand or fall together.
    for (Sink& sink : sinks_) flush(sink);
    for (Sink& sink : sinks_) sink.file.file().close();
    for (Sink& sink : sinks_) sink.file.commit();
    for (const Sink& sink : sinks_) set_.written_.push_back(sink.file.path());
}

std::vector<std::filesystem::path> DifferenceFiles::paths() const {
    std::vector<std::filesystem::path> result;
    for (const Sink& sink : sinks_) result.push_back(sink.file.path());
    return result;
}

}  // namespace cpt
