#include "core/report/significance_overview.h"

#include <string>

#include "core/analysis/cartesian_result.h"
#include "core/common/number_format.h"
#include "core/common/rounding.h"

namespace cpt {
namespace {

constexpr int ColumnWidth = 500;  // twips

double roundTo(double value, double scale) { return roundHalfEven(value * scale) / scale; }

// Three decimals below 1, two up to 100, whole numbers beyond.
double shownDifference(double d) {
    if (d < 1) return roundTo(d, 1000);
    if (d <= 100) return roundTo(d, 100);
    return roundHalfEven(d);
}

}  // namespace

GridModel overviewGrid(const CartesianResult& result) {
    GridModel grid;
    const int n = result.treatmentCount();
    grid.resize(n + 1, n + 1);
    for (int column = 0; column <= n; ++column) grid.columnWidths[static_cast<std::size_t>(column)] = ColumnWidth;
    for (int k = 1; k <= n; ++k) grid.setText(k, 0, result.treatments[static_cast<std::size_t>(k - 1)].name);
    for (int k = 1; k <= n; ++k) grid.setText(0, k, result.treatments[static_cast<std::size_t>(k - 1)].name);

    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            if (i == j) {
                grid.setText(i, j, " ----");
            } else if (i < j) {
                grid.setText(i, j, blankLedNumber(shownDifference(result.pair(i - 1, j - 1).meanDifference)));
            } else {
                const PairResult& pair = result.pair(j - 1, i - 1).result;
                std::string text = blankLedNumber(roundTo(pair.pValue, 10000));
                if (pair.tLower > 0) text += "*";
                grid.setText(i, j, std::move(text));
            }
        }
    }
    for (int row = 0; row <= n; ++row) {
        for (int column = 0; column <= n; ++column) grid.centre(row, column);
    }
    return grid;
}

}  // namespace cpt
