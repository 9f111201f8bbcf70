#include "core/report/pair_tables.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/common/output_file.h"
#include "core/common/print_line.h"
#include "core/analysis/cartesian_result.h"
#include "core/report/letter_rows.h"
#include "core/tables/table_forms.h"

namespace cpt {
namespace {

enum class Quantity { MeanDifference, TLowerLimit, PValue };
enum class Star { Never, WhenSignificant, WhenTLowerAboveZero };

struct CellKind {
    Quantity quantity;
    Star star;
};

struct TriangleTable {
    std::string_view title;
    std::span<const std::string_view> headings;
    CellKind upper;
    CellKind lower;
    std::string_view diagonal;
    bool originalColumn;
    std::span<const std::string_view> notes;
};

constexpr std::string_view StarNote =
    " *: Significant at 5% significance level. A P<=0.05 denotes significant difference.";

constexpr std::string_view MeanUpper = " [Upper right triangle: The difference between means (i,j)]";
constexpr std::string_view PUpper = " [Upper right triangle: P-value of the test between (i,j)]";
constexpr std::string_view MeanLower = " [Lower left triangle: The difference between means (i,j)]";

constexpr std::array<std::string_view, 4> Headings1{
    "(This is the t confidence interval based on Cartesian product differences)", MeanUpper,
    " [Lower left triangle: Lower CI of difference between means (i,j) based on t]", " "};
constexpr std::array<std::string_view, 3> Headings2{
    MeanUpper, " [Lower left triangle: P-value of the test between (i,j)]", " "};
constexpr std::array<std::string_view, 3> Headings3{PUpper, MeanLower, " "};
constexpr std::array<std::string_view, 3> Headings4{PUpper, MeanLower,
                                                   " The original values are listed in the last column"};
constexpr std::array<std::string_view, 3> Headings5{
    PUpper, " [Lower left triangle: P-value of the test between (j,i)]", " "};

constexpr std::array<std::string_view, 3> Notes1{
    StarNote, " The bootstrap t confidence interval might be different from the bootstrap percentile ",
    " confidence interval. "};
constexpr std::array<std::string_view, 1> Notes{StarNote};

constexpr std::string_view CartesianTitle = ". Differences between treatments (Cartesian product test)";
constexpr CellKind PCell{Quantity::PValue, Star::WhenSignificant};
constexpr CellKind MeanCell{Quantity::MeanDifference, Star::WhenSignificant};

const std::array<TriangleTable, 5> TriangleTables{{
    {". Differences between treatments and lower CI", Headings1, {Quantity::MeanDifference, Star::Never},
     {Quantity::TLowerLimit, Star::WhenTLowerAboveZero}, " ----", false, Notes1},
    {". Differences between treatments and P-value", Headings2, MeanCell, PCell, " ----", false, Notes},
    {CartesianTitle, Headings3, PCell, MeanCell, " ----", false, Notes},
    {CartesianTitle, Headings4, PCell, MeanCell, "------", true, Notes},
    {CartesianTitle, Headings5, PCell, PCell, " ------", false, Notes},
}};

constexpr std::array<std::string_view, 7> LetterNotes{
    "** If you notice error, please inform Prof. Dov.                                 **",
    " You can use the following table to mark the differences between treatments.",
    " Only the differences between the first few treatments are marked for you.",
    " Note well! If this table is not completed, you have to complete the rest \"_\" ",
    " yourself. Attention! Not every \"_\" needs to be filled with a letter. ",
    " This is a good practice of \"critical thinking\".",
    " Note well: \"Thinking is the most important thing in science\".",
};

int cellColumn(int j) { return 11 * (j - 1) + 16; }

void writeTitle(int& tableNumber, PrintLine& line, std::string_view title) {
    ++tableNumber;
    line.text(" Table ").text(std::to_string(tableNumber)).text(title).end();
}

// Every quantity of a table is a property of the pair, held at (i, j) with i < j.
void writeCell(PrintLine& line, const CartesianResult& result, CellKind kind, int i, int j) {
    const PairOutcome& pair = result.pair(std::min(i, j), std::max(i, j));
    double value = 0;
    switch (kind.quantity) {
        case Quantity::MeanDifference: value = boundedForm(pair.meanDifference); break;
        case Quantity::TLowerLimit: value = boundedForm(pair.result.tLower); break;
        case Quantity::PValue: value = fourDecimalForm(pair.result.pValue); break;
    }
    line.number(value);
    bool starred = false;
    switch (kind.star) {
        case Star::Never: break;
        case Star::WhenSignificant: starred = isSignificant(pair.result.pValue); break;
        case Star::WhenTLowerAboveZero: starred = pair.result.tLower > 0; break;
    }
    if (starred) line.text("*");
}

void writeTriangleTable(int& tableNumber, PrintLine& line, const CartesianResult& result, const TriangleTable& table) {
    const int n = result.treatmentCount();
    const std::size_t ruleLength = static_cast<std::size_t>(11 * n + 15);
    const std::string doubleRule(ruleLength, '=');
    const std::string singleRule(ruleLength, '-');
    writeTitle(tableNumber, line, table.title);
    for (std::string_view heading : table.headings) line.line(heading);
    line.text(" ").text(doubleRule).end();

    for (int j = 1; j <= n; ++j) line.col(cellColumn(j) + 1).text(result.treatments[static_cast<std::size_t>(j - 1)].name);
    if (table.originalColumn) line.col(11 * n + 18).text(" Original");
    line.end();
    line.text(" ").text(singleRule).end();

    for (int i = 1; i <= n; ++i) {
        const TreatmentStatistics& row = result.treatments[static_cast<std::size_t>(i - 1)];
        line.text(" ").text(row.name);
        for (int j = 1; j <= n; ++j) {
            line.col(cellColumn(j));
            if (j == i) {
                line.text(table.diagonal);
            } else {
                writeCell(line, result, j > i ? table.upper : table.lower, i - 1, j - 1);
            }
        }
        if (table.originalColumn) line.col(11 * n + 18).number(row.estimate);
        line.end();
    }
    line.text(" ").text(singleRule).end();
    for (std::string_view note : table.notes) line.line(note);
    line.line("");
}

void writeLetterTable(int& tableNumber, PrintLine& line, const CartesianResult& result) {
    const std::string doubleRule = " " + std::string(75, '=');
    const std::string singleRule = " " + std::string(75, '-');
    writeTitle(tableNumber, line, ". Preliminary table of differences between treatments.");
    for (std::string_view note : LetterNotes) line.line(note);
    line.line(doubleRule);
    line.text(" Treatment").col(15).text(" Original").col(40).text(" SE").col(65).text("Difference").end();
    line.line(singleRule);

    writeLetterRows(line, result);
    line.line(singleRule);
}

}  // namespace

void writePairTables(PrintLine& line, const CartesianResult& result, int& tableNumber) {
    for (const TriangleTable& table : TriangleTables) writeTriangleTable(tableNumber, line, result, table);
    writeLetterTable(tableNumber, line, result);
}

}  // namespace cpt
