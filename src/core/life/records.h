#pragma once
// A cohort's daily records, by treatment: each individual with its sex and
// the eggs of each day it lived (day 1 the day it entered the cohort), or a
// treatment's aggregate life table (age, lx, mx) where no individuals are
// kept. Treatments and individuals keep the order they first appear in,
// which the bootstrap's draws depend on.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/input/table_treatments.h"

namespace cpt::life {

enum class Sex : std::uint8_t { Unknown, Female, Male };

struct Individual {
    std::string name;
    Sex sex = Sex::Unknown;
    std::vector<double> eggs;  // eggs[x - 1]: the eggs of age x; its size is the days it lived
};

struct AgeRow {
    double age = 0;
    double lx = 0;
    double mx = 0;
};

struct TreatmentRecords {
    std::string name;
    std::string source;   // the file (and sheet) it came from, for messages
    bool hasSex = false;  // its table has a sex column
    std::vector<Individual> individuals;
    std::vector<AgeRow> aggregate;  // an aggregate table; then there are no individuals

    bool isAggregate() const { return individuals.empty() && !aggregate.empty(); }
};

struct Records {
    std::vector<TreatmentRecords> treatments;
};

// A records table read row by row, from a text table or a worksheet:
//  - long: treatment (optional), individual, age, eggs, sex (optional);
//  - wide: treatment (optional), individual, sex (optional), then ages 1, 2, ...;
//  - aggregate: treatment (optional), age, lx, mx.
// Column names in any letter case and order. Without a treatment column the
// table is one treatment named by origin.defaultCode.
class RecordTable : public TableRowSink {
public:
    explicit RecordTable(TableOrigin origin);
    ~RecordTable() override;

    void addRow(std::int64_t row, std::span<const TableCell> cells) override;
    // Checks what only the whole table shows (gaps, empty treatments).
    // Throws UserError naming the file, the row and the individual.
    std::vector<TreatmentRecords> finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// A text table of records (.csv, .tsv, any text table; UTF-8 or UTF-16).
// Throws UserError naming the file and the place of the first fault.
std::vector<TreatmentRecords> readTextRecords(const std::filesystem::path& path);
std::vector<TreatmentRecords> readTextRecords(std::string contents, const std::string& fileName);

// Adds one file's treatments: a treatment named again joins the earlier one
// (its individuals after the earlier ones). Throws UserError at an
// individual given twice, or records and an aggregate table of one treatment.
void addRecords(Records& records, std::vector<TreatmentRecords> more);

// "f", "female", "m", "male", "" in any letter case; nothing for anything else.
std::optional<Sex> sexNamed(std::string_view text);

}  // namespace cpt::life
