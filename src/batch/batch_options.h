#pragma once
// The answers a batch run takes: from cpt's command line, or from the web
// page's form.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis/treatment.h"
#include "core/common/date_time.h"
#include "core/input/read_options.h"
#include "core/sorting/sort_count_kind.h"
#include "core/study/study_file_set.h"
#include "core/input/treatment_reader.h"

namespace cpt::batch {

// How complaints name what the user may change: cpt's options, unless a
// front end with other controls gives its own words.
struct AnswerWording {
    std::string fixedTime = "--fixed-time";
    std::string withoutDifferences = "Leave off --differences to run without them.";
    std::string anotherCode =
        "\nGive another --code (a file name cannot hold every character), or another folder with -C.";
};

// Reads one input file into its treatments.
using TreatmentReader = cpt::TreatmentReader;

struct CartesianOptions {
    std::vector<std::string> files;
    bool reversed = false;
    bool differences = false;
    std::string code = "1";
    Transformation transformation = Transformation::None;
    bool flowRecord = false;
    std::string folder;          // -C
    bool json = false;
    std::optional<DateTime> fixedTime;  // none: the real clock
    bool withFigures = false;    // keep what the figures show
    std::string figuresFolder;   // where cpt writes them
    std::string figureFormat = "svg";
    int threads = 0;             // 0: every core the system gives the process
    // What tables lack (sample sizes, estimates), the parameter and sheet.
    ReadOptions read;
    // Reads one input file; none: the core's text forms (described files,
    // text tables). cpt adds workbooks.
    TreatmentReader reader;
    AnswerWording wording;
};

struct StudyBatchOptions {
    std::vector<std::string> files;
    std::vector<StudyFormat> formats{StudyFormat::Csv, StudyFormat::Xlsx, StudyFormat::Html};
    std::vector<std::string> order;  // column order; empty: as the treatments first appear
    std::vector<std::string> rows;   // parameters first in the table, in this order
    std::vector<std::pair<std::string, std::string>> labels;  // (code, the row's name)
    bool reversed = false;
    std::string code = "1";
    std::string folder;  // -C
    bool json = false;
    std::optional<DateTime> fixedTime;
    int threads = 0;  // 0: every core the system gives the process
    int digits = 2;  // significant digits of the SE
    // Reads one input file (every parameter of a table); none: the core's
    // text forms. cpt adds workbooks.
    TreatmentReader reader;
    AnswerWording wording;
};

struct SortCountOptions {
    std::string file;
    SortCountKind kind = SortCountKind::Bootstrap;
    bool serialNumbers = false;
    double decimals = -1;  // -1 (all) to 5, see decimalLimitOf
    bool json = false;
    std::optional<DateTime> fixedTime;
    AnswerWording wording;
};

// Exit statuses.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitFailure = 1;
inline constexpr int ExitUsage = 2;

}  // namespace cpt::batch
