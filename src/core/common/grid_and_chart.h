#pragma once
// The overview grid and the frequency chart as plain data: the window, the
// batch program and the page draw or write them.
#include <cstddef>
#include <string>
#include <vector>

namespace cpt {

struct GridModel {
    int rows = 0;
    int columns = 0;
    std::vector<int> columnWidths;  // twips
    std::vector<std::string> cells;
    std::vector<bool> centred;

    void resize(int newRows, int newColumns);
    const std::string& text(int row, int column) const { return cells.at(index(row, column)); }
    void setText(int row, int column, std::string text) { cells.at(index(row, column)) = std::move(text); }
    void centre(int row, int column) { centred.at(index(row, column)) = true; }
    bool isCentred(int row, int column) const { return centred.at(index(row, column)); }

private:
    std::size_t index(int row, int column) const;
};

// The class table of the last sort-and-count, drawn as a frequency chart.
struct ChartModel {
    std::string title;
    std::vector<double> classValues;
    std::vector<double> classCounts;
    double mean = 0;
    double standardDeviation = 0;
};

}  // namespace cpt
