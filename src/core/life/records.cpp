#include "core/life/records.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "core/common/byte_source.h"
#include "core/common/decimal_parse.h"
#include "core/common/field_reader.h"
#include "core/common/number_format.h"
#include "core/common/user_error.h"
#include "core/input/text_table.h"

namespace cpt::life {
namespace {

// Longer than any cohort is followed day by day; a larger age is a typing
// slip that would otherwise claim memory for every day before it.
constexpr std::int64_t MaxAge = 100'000;
// No day's eggs (nor lx, mx) come near this; beyond it the sums of a large
// cohort's replicates could overflow.
constexpr double MaxCount = 1e15;

std::string lowered(std::string_view text) {
    std::string low(text);
    for (char& c : low) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return low;
}

std::string inQuotes(std::string_view text) {
    std::string quoted(1, '"');
    quoted += quotedExcerpt(text);
    quoted += '"';
    return quoted;
}

std::optional<double> numberOf(std::string_view text, char decimalMark) {
    std::optional<double> value;
    if (decimalMark == ',' && text.find(',') != std::string_view::npos) {
        std::string pointed(text);
        std::replace(pointed.begin(), pointed.end(), ',', '.');
        value = parseDecimalExactly(pointed);
    } else {
        value = parseDecimalExactly(text);
    }
    if (value && !std::isfinite(*value)) return std::nullopt;
    return value;
}

enum class Form { Long, Wide, Aggregate };

struct Building {
    TreatmentRecords records;
    std::int64_t firstRow = 0;
    std::map<std::string, std::size_t, std::less<>> index;  // individual name -> place
    std::vector<std::int64_t> firstRows;                    // of each individual
    std::vector<std::vector<std::int64_t>> ageRows;         // long: the row of each age (0: not given)
    std::vector<std::int64_t> sexRows;                      // the row that gave its sex (0: none)
    std::map<double, std::int64_t> aggregateAges;           // aggregate: age -> row
};

}  // namespace

struct RecordTable::State {
    TableOrigin origin;
    bool headerRead = false;
    Form form = Form::Long;
    std::int32_t firstNamed = 1;
    std::int32_t lastNamed = 0;
    std::int32_t treatmentColumn = 0, individualColumn = 0, sexColumn = 0, ageColumn = 0, eggsColumn = 0,
                 lxColumn = 0, mxColumn = 0;
    std::int32_t firstAgeColumn = 0, lastAgeColumn = 0;  // wide
    std::vector<Building> treatments;
    std::map<std::string, std::size_t, std::less<>> treatmentIndex;
    std::vector<std::string_view> cells;  // of the row being read, by column

    [[noreturn]] void complain(const std::string& problem) const {
        throw UserError("The file \"" + origin.displayName + "\" cannot be used: " + problem);
    }
    std::string place(std::int64_t row, std::int32_t column) const {
        if (origin.sheet.empty()) return "row " + std::to_string(row) + ", column " + std::to_string(column);
        return "cell " + columnLetters(column) + std::to_string(row) + " of sheet \"" + origin.sheet + "\"";
    }
    std::string rowPlace(std::int64_t row) const {
        if (origin.sheet.empty()) return "row " + std::to_string(row);
        return "row " + std::to_string(row) + " of sheet \"" + origin.sheet + "\"";
    }
    static std::string who(std::string_view individual, std::string_view treatment) {
        return "individual " + inQuotes(individual) + " of treatment " + inQuotes(treatment);
    }
    std::string_view cell(std::int32_t column) const {
        if (column <= 0 || static_cast<std::size_t>(column) > cells.size()) return {};
        return cells[static_cast<std::size_t>(column - 1)];
    }

    void readHeader(std::int64_t row, std::span<const TableCell> rowCells);
    Building& treatmentFor(std::int64_t row, const std::string& name);
    std::string treatmentOf(std::int64_t row) const;
    Sex sexOf(std::int64_t row, std::string_view individual, std::string_view treatment) const;
    double eggsOf(std::int64_t row, std::int32_t column, std::string_view individual, std::string_view treatment) const;
    void addLong(std::int64_t row);
    void addWide(std::int64_t row);
    void addAggregate(std::int64_t row);
    std::vector<TreatmentRecords> finish();
};

std::optional<Sex> sexNamed(std::string_view text) {
    const std::string low = lowered(text);
    if (low.empty()) return Sex::Unknown;
    if (low == "f" || low == "female") return Sex::Female;
    if (low == "m" || low == "male") return Sex::Male;
    return std::nullopt;
}

RecordTable::RecordTable(TableOrigin origin) : state_(std::make_unique<State>()) {
    state_->origin = std::move(origin);
}

RecordTable::~RecordTable() = default;

void RecordTable::State::readHeader(std::int64_t row, std::span<const TableCell> rowCells) {
    std::vector<std::string> names;
    for (const TableCell& c : rowCells) {
        if (c.text.empty()) continue;
        names.resize(static_cast<std::size_t>(c.column));
        names[static_cast<std::size_t>(c.column - 1)] = std::string(c.text);
    }
    if (names.empty()) {
        complain("its first row (" + rowPlace(row) +
                 ") holds no column names, but a records table needs a header row: individual, age and eggs, "
                 "or individual and the ages 1, 2, ..., or age, lx and mx.");
    }
    lastNamed = static_cast<std::int32_t>(names.size());
    // A first column without a name holds row names, as R writes them.
    firstNamed = names.front().empty() ? 2 : 1;
    std::map<std::string, std::int32_t> seen;
    for (std::int32_t c = firstNamed; c <= lastNamed; ++c) {
        const std::string& name = names[static_cast<std::size_t>(c - 1)];
        if (name.empty()) {
            complain(place(row, c) + " is empty, but the header row must name every column from its first name on.");
        }
        const std::string low = lowered(name);
        const auto [earlier, added] = seen.emplace(low, c);
        if (!added) {
            complain(place(row, c) + " names the column " + inQuotes(name) + " again (" +
                     place(row, earlier->second) + " does already).");
        }
        std::int32_t* known = low == "treatment"    ? &treatmentColumn
                              : low == "individual" ? &individualColumn
                              : low == "sex"        ? &sexColumn
                              : low == "age"        ? &ageColumn
                              : low == "eggs"       ? &eggsColumn
                              : low == "lx"         ? &lxColumn
                              : low == "mx"         ? &mxColumn
                                                    : nullptr;
        if (known != nullptr) {
            *known = c;
            continue;
        }
        const std::optional<double> age = parseDecimalExactly(name);
        if (!age) {
            complain(place(row, c) + " names the column " + inQuotes(name) +
                     ", which a records table does not have (its columns: treatment, individual, sex, age, eggs; "
                     "or the ages 1, 2, ... of one row per individual; or age, lx and mx).");
        }
        const double expected = firstAgeColumn == 0 ? 1.0 : static_cast<double>(c - firstAgeColumn + 1);
        if (*age != expected || (firstAgeColumn != 0 && c != lastAgeColumn + 1)) {
            complain(place(row, c) + " heads the age " + inQuotes(name) + ", but the columns of ages must be 1, 2, 3, "
                     "... side by side (" + textNumber(expected) + " was due here).");
        }
        if (firstAgeColumn == 0) firstAgeColumn = c;
        lastAgeColumn = c;
    }
    if (lxColumn != 0 || mxColumn != 0) {
        form = Form::Aggregate;
        if (ageColumn == 0 || lxColumn == 0 || mxColumn == 0) {
            complain("its header row (" + rowPlace(row) +
                     ") names lx or mx, but an aggregate life table needs the three columns age, lx and mx.");
        }
        if (individualColumn != 0 || eggsColumn != 0 || firstAgeColumn != 0) {
            complain("its header row (" + rowPlace(row) +
                     ") mixes an aggregate life table (age, lx, mx) with the records of individuals.");
        }
        return;
    }
    if (individualColumn == 0) {
        complain("its header row (" + rowPlace(row) +
                 ") names no column \"individual\": records need one, with the name of each individual.");
    }
    if (ageColumn != 0 || eggsColumn != 0) {
        form = Form::Long;
        if (ageColumn == 0 || eggsColumn == 0) {
            complain("its header row (" + rowPlace(row) + ") names " + (ageColumn == 0 ? "eggs" : "age") +
                     " but no column \"" + (ageColumn == 0 ? "age" : "eggs") +
                     "\": records of one row per day need both.");
        }
        if (firstAgeColumn != 0) {
            complain("its header row (" + rowPlace(row) +
                     ") names both the columns age and eggs and columns of ages; a table has one form or the other.");
        }
        return;
    }
    if (firstAgeColumn == 0) {
        complain("its header row (" + rowPlace(row) +
                 ") names neither age and eggs nor columns of ages 1, 2, ...: the table holds no records.");
    }
    form = Form::Wide;
}

std::string RecordTable::State::treatmentOf(std::int64_t row) const {
    if (treatmentColumn == 0) return origin.defaultCode;
    const std::string_view name = cell(treatmentColumn);
    if (name.empty()) complain(place(row, treatmentColumn) + " gives no treatment, but its row holds other cells.");
    return std::string(name);
}

Building& RecordTable::State::treatmentFor(std::int64_t row, const std::string& name) {
    auto found = treatmentIndex.find(name);
    if (found == treatmentIndex.end()) {
        found = treatmentIndex.emplace(name, treatments.size()).first;
        Building added;
        added.records.name = name;
        added.records.source = origin.sheet.empty() ? origin.displayName
                                                    : origin.displayName + ", sheet \"" + origin.sheet + "\"";
        added.records.hasSex = sexColumn != 0;
        added.firstRow = row;
        treatments.push_back(std::move(added));
    }
    return treatments[found->second];
}

Sex RecordTable::State::sexOf(std::int64_t row, std::string_view individual, std::string_view treatment) const {
    const std::string_view text = cell(sexColumn);
    const std::optional<Sex> sex = sexNamed(text);
    if (!sex) {
        complain(place(row, sexColumn) + " (" + who(individual, treatment) + ") gives the sex " + inQuotes(text) +
                 ", but a sex is f, female, m, male, or empty where it is not known.");
    }
    return *sex;
}

double RecordTable::State::eggsOf(std::int64_t row, std::int32_t column, std::string_view individual,
                                  std::string_view treatment) const {
    const std::string_view text = cell(column);
    const std::optional<double> eggs = numberOf(text, origin.decimalMark);
    if (!eggs || *eggs < 0 || *eggs > MaxCount) {
        complain(place(row, column) + " (" + who(individual, treatment) + ") should be a day's eggs (a number of " +
                 "at least 0, at most 1E+15), but it holds " + inQuotes(text) + ".");
    }
    return *eggs;
}

void RecordTable::State::addLong(std::int64_t row) {
    const std::string treatmentName = treatmentOf(row);
    const std::string_view name = cell(individualColumn);
    if (name.empty()) complain(place(row, individualColumn) + " names no individual, but its row holds other cells.");
    const std::string_view ageText = cell(ageColumn);
    const std::optional<double> age = numberOf(ageText, origin.decimalMark);
    if (!age || *age != std::floor(*age) || *age < 1 || *age > static_cast<double>(MaxAge)) {
        complain(place(row, ageColumn) + " (" + who(name, treatmentName) +
                 ") should be an age in days (a whole number from 1, the day it entered the cohort, to " +
                 std::to_string(MaxAge) + "), but it holds " + inQuotes(ageText) + ".");
    }
    if (cell(eggsColumn).empty()) {
        complain(place(row, eggsColumn) + " (" + who(name, treatmentName) +
                 ") is empty, but each day of life needs its eggs (0 on a day without).");
    }
    const double eggs = eggsOf(row, eggsColumn, name, treatmentName);
    const Sex sex = sexColumn == 0 ? Sex::Unknown : sexOf(row, name, treatmentName);

    Building& treatment = treatmentFor(row, treatmentName);
    auto found = treatment.index.find(name);
    if (found == treatment.index.end()) {
        found = treatment.index.emplace(std::string(name), treatment.records.individuals.size()).first;
        treatment.records.individuals.push_back(Individual{std::string(name), Sex::Unknown, {}});
        treatment.firstRows.push_back(row);
        treatment.ageRows.emplace_back();
        treatment.sexRows.push_back(0);
    }
    const std::size_t i = found->second;
    Individual& individual = treatment.records.individuals[i];
    if (sex != Sex::Unknown) {
        if (individual.sex != Sex::Unknown && individual.sex != sex) {
            complain(rowPlace(row) + " gives " + who(name, treatmentName) + " another sex than " +
                     rowPlace(treatment.sexRows[i]) + " does; an individual has one sex in every row.");
        }
        individual.sex = sex;
        treatment.sexRows[i] = row;
    }
    const auto day = static_cast<std::size_t>(*age);
    std::vector<std::int64_t>& rows = treatment.ageRows[i];
    if (rows.size() < day) {
        rows.resize(day, 0);
        individual.eggs.resize(day, 0.0);
    }
    if (rows[day - 1] != 0) {
        complain(rowPlace(row) + " gives age " + std::to_string(day) + " of " + who(name, treatmentName) +
                 " again (" + rowPlace(rows[day - 1]) + " gives it already); each day of life has one row.");
    }
    rows[day - 1] = row;
    individual.eggs[day - 1] = eggs;
}

void RecordTable::State::addWide(std::int64_t row) {
    const std::string treatmentName = treatmentOf(row);
    const std::string_view name = cell(individualColumn);
    if (name.empty()) complain(place(row, individualColumn) + " names no individual, but its row holds other cells.");
    Individual individual{std::string(name), Sex::Unknown, {}};
    if (sexColumn != 0) individual.sex = sexOf(row, name, treatmentName);
    std::int32_t deadFrom = 0;
    for (std::int32_t c = firstAgeColumn; c <= lastAgeColumn; ++c) {
        if (cell(c).empty()) {
            if (deadFrom == 0) deadFrom = c;
            continue;
        }
        if (deadFrom != 0) {
            complain(place(row, c) + " (" + who(name, treatmentName) + ") holds " + inQuotes(cell(c)) + ", but " +
                     place(row, deadFrom) + " is empty: once a day is empty the individual is dead, and no day "
                     "after it may hold eggs.");
        }
        individual.eggs.push_back(eggsOf(row, c, name, treatmentName));
    }
    if (individual.eggs.empty()) {
        complain(place(row, firstAgeColumn) + " (" + who(name, treatmentName) +
                 ") is empty, but every individual lives its first day (age 1, when it entered the cohort): "
                 "give its eggs (0 when none).");
    }
    Building& treatment = treatmentFor(row, treatmentName);
    const auto [earlier, added] = treatment.index.emplace(std::string(name), treatment.records.individuals.size());
    if (!added) {
        complain(rowPlace(row) + " gives " + who(name, treatmentName) + " again (" +
                 rowPlace(treatment.firstRows[earlier->second]) + " gives it already); each individual has one row.");
    }
    treatment.records.individuals.push_back(std::move(individual));
    treatment.firstRows.push_back(row);
}

void RecordTable::State::addAggregate(std::int64_t row) {
    const std::string treatmentName = treatmentOf(row);
    auto number = [&](std::int32_t column, const char* what) {
        const std::string_view text = cell(column);
        const std::optional<double> x = numberOf(text, origin.decimalMark);
        if (!x || *x < 0 || *x > MaxCount) {
            complain(place(row, column) + " (treatment " + inQuotes(treatmentName) + ") should be " + what +
                     " (a number of at least 0, at most 1E+15), but it holds " + inQuotes(text) + ".");
        }
        return *x;
    };
    const AgeRow ages{number(ageColumn, "an age"), number(lxColumn, "lx"), number(mxColumn, "mx")};
    Building& treatment = treatmentFor(row, treatmentName);
    const auto [earlier, added] = treatment.aggregateAges.emplace(ages.age, row);
    if (!added) {
        complain(rowPlace(row) + " gives age " + textNumber(ages.age) + " of treatment " + inQuotes(treatmentName) +
                 " again (" + rowPlace(earlier->second) + " gives it already).");
    }
    treatment.records.aggregate.push_back(ages);
}

void RecordTable::addRow(std::int64_t row, std::span<const TableCell> cells) {
    State& s = *state_;
    if (!s.headerRead) {
        s.readHeader(row, cells);
        s.headerRead = true;
        return;
    }
    s.cells.clear();
    bool any = false;
    for (const TableCell& c : cells) {
        if (c.text.empty()) continue;
        if (c.column > s.lastNamed) {
            s.complain(s.place(row, c.column) + " holds " + inQuotes(c.text) +
                       ", but the header row names no column there.");
        }
        if (c.column < s.firstNamed) continue;  // the row names of an unnamed first column
        s.cells.resize(static_cast<std::size_t>(c.column));
        s.cells[static_cast<std::size_t>(c.column - 1)] = c.text;
        any = true;
    }
    if (!any) return;
    switch (s.form) {
        case Form::Long: s.addLong(row); break;
        case Form::Wide: s.addWide(row); break;
        case Form::Aggregate: s.addAggregate(row); break;
    }
}

std::vector<TreatmentRecords> RecordTable::State::finish() {
    if (!headerRead) complain("it is empty, but a records table needs a header row and records below it.");
    if (treatments.empty()) {
        complain("its header row has no records below it: " +
                 (treatmentColumn == 0 ? "treatment " + inQuotes(origin.defaultCode) : std::string("the table")) +
                 " has no individuals.");
    }
    std::vector<TreatmentRecords> result;
    for (Building& treatment : treatments) {
        for (std::size_t i = 0; i < treatment.ageRows.size(); ++i) {
            const std::vector<std::int64_t>& rows = treatment.ageRows[i];
            const auto missing = std::find(rows.begin(), rows.end(), 0);
            if (missing == rows.end()) continue;
            const auto day = missing - rows.begin() + 1;
            const auto after = std::find_if(missing, rows.end(), [](std::int64_t r) { return r != 0; });
            complain(who(treatment.records.individuals[i].name, treatment.records.name) + " has no row for age " +
                     std::to_string(day) + ", but " + rowPlace(*after) + " gives its age " +
                     std::to_string(after - rows.begin() + 1) + ": the ages of an individual run 1, 2, ... " +
                     "without a gap, up to its last day alive.");
        }
        result.push_back(std::move(treatment.records));
    }
    return result;
}

std::vector<TreatmentRecords> RecordTable::finish() { return state_->finish(); }

namespace {

std::vector<TreatmentRecords> readTable(ByteSource source, const std::string& fileName) {
    TextTableRows rows(std::move(source));
    TableOrigin origin;
    origin.displayName = fileName;
    origin.defaultCode = std::filesystem::path(fileName).stem().string();
    origin.decimalMark = rows.separator() == ',' ? '.' : ',';
    RecordTable table(std::move(origin));
    while (rows.next()) table.addRow(rows.rowNumber(), rows.cells());
    return table.finish();
}

}  // namespace

std::vector<TreatmentRecords> readTextRecords(const std::filesystem::path& path) {
    return readTable(ByteSource::fromFile(path), path.string());
}

std::vector<TreatmentRecords> readTextRecords(std::string contents, const std::string& fileName) {
    return readTable(ByteSource(std::move(contents), fileName), fileName);
}

void addRecords(Records& records, std::vector<TreatmentRecords> more) {
    for (TreatmentRecords& treatment : more) {
        const auto same = std::find_if(records.treatments.begin(), records.treatments.end(),
                                       [&](const TreatmentRecords& t) { return t.name == treatment.name; });
        if (same == records.treatments.end()) {
            records.treatments.push_back(std::move(treatment));
            continue;
        }
        const std::string both = "treatment " + inQuotes(treatment.name) + " of " + treatment.source + " and of " +
                                 same->source;
        if (same->isAggregate() || treatment.isAggregate()) {
            throw UserError("The file \"" + treatment.source + "\" cannot be used: " + both +
                            " join an aggregate life table to other rows; an aggregate table gives a treatment whole.");
        }
        for (Individual& individual : treatment.individuals) {
            const bool twice = std::any_of(same->individuals.begin(), same->individuals.end(),
                                           [&](const Individual& i) { return i.name == individual.name; });
            if (twice) {
                throw UserError("The file \"" + treatment.source + "\" cannot be used: it gives individual " +
                                inQuotes(individual.name) + " of " + both + " again; each individual is given once.");
            }
            same->individuals.push_back(std::move(individual));
        }
        same->hasSex = same->hasSex && treatment.hasSex;
    }
}

}  // namespace cpt::life
